# Benchmarks of cell loading into the chart model (included by bench/CMakeLists.txt).
chart_add_bench(chart_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart/LoadCellBench.cpp
  LIBS chart)
