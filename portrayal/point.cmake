# Point portrayal with the light sector arcs. Included by
# portrayal/CMakeLists.txt.
target_sources(portrayal PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PointPortrayal.cpp)
