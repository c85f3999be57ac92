# The automatic seasonal fit, whole, with each method.
vorn_bench(bench_autofind SOURCES ${CMAKE_CURRENT_LIST_DIR}/autofind.cpp LIBS vorn_fitting)
