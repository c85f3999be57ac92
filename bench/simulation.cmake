# A data set simulated with the default parameters.
vorn_bench(bench_simulation SOURCES ${CMAKE_CURRENT_LIST_DIR}/simulation.cpp LIBS vorn_data)
