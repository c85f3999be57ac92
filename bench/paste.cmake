# Edit > Paste of a 4 MB block in the main window (offscreen): stored, and refused.
if(VORN_WITH_QT)
  vorn_bench(bench_paste OWN_MAIN SOURCES ${CMAKE_CURRENT_LIST_DIR}/paste.cpp LIBS vorn_ui)
endif()
