# Records of the daily error log, into an empty day's file and into one already long.
vorn_bench(bench_error_log SOURCES ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp LIBS Vorn5_Error_Class)
