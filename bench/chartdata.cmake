# Benchmarks of the S-57 cell reader (included by bench/CMakeLists.txt).
chart_add_bench(chartdata_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chartdata/S57CellReaderBench.cpp
  LIBS chartdata)
