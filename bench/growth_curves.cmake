vorn_bench(bench_growth_curves SOURCES ${CMAKE_CURRENT_LIST_DIR}/growth_curves.cpp LIBS vorn_data)
