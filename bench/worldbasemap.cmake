# The world base map alone and in the draw pass of US5WA22M.000, with it on
# and off (included by bench/CMakeLists.txt).
chart_add_bench(world_base_map_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/draw/WorldBaseMapBench.cpp
  LIBS chart)
