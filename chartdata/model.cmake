# The chart model: features, cells, geometry assembly, projection and the
# finishing steps that need only the model. Included by chartdata/CMakeLists.txt.
target_sources(chartdata PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CellFinishing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Geodesic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GeometryAssembly.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MercatorProjection.cpp)
# Features carry look-up instructions and are built with the attribute
# catalogue: both types come from the presentation library.
target_link_libraries(chartdata PUBLIC preslib)
