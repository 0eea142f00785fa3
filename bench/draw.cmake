# The draw pass of US5WA22M.000 into an 862 x 686 image, at the cell's
# compilation scale and at four times it, with and without the pattern
# tile cache (included by bench/CMakeLists.txt).
chart_add_bench(draw_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw/DrawPassBench.cpp
  LIBS chart)
