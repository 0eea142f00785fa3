# Benchmarks of cell loading into the chart model (included by bench/CMakeLists.txt).
chart_add_bench(chart_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart/LoadCellBench.cpp
  LIBS chart)
# Many cells: a synthetic portfolio of 1,000 cells, its draw passes at four
# scales, picking and the memory its cells keep.
chart_add_bench(portfolio_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/chart/PortfolioBench.cpp
  LIBS chart democell)
