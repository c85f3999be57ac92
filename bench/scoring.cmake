# Scoring methods and searches: ELEFAN and PROJMAT grids, one simplex search each.
vorn_bench(bench_scoring OWN_MAIN SOURCES ${CMAKE_CURRENT_LIST_DIR}/scoring.cpp
           ${CMAKE_SOURCE_DIR}/tests/app/fitting/SyntheticData.cpp
           LIBS vorn_fitting)
target_include_directories(bench_scoring PRIVATE ${CMAKE_SOURCE_DIR}/tests/app/fitting)
