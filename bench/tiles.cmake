# Web map tiles of US5WA22M.000: drawing a tile at zooms 12 to 16, and
# encoding it as PNG (included by bench/CMakeLists.txt).
chart_add_bench(tiles_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tiles/TileBench.cpp
  LIBS tilemaker)
