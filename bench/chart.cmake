# Benchmarks of cell loading into the chart model (included by bench/CMakeLists.txt).
chart_add_bench(chart_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart/LoadCellBench.cpp
  LIBS chart)

# Object selection at the densest place of US5WA22M.000.
chart_add_bench(picking_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart/PickingBench.cpp
  LIBS chart)
