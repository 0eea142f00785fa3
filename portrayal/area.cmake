# Text procedures and area portrayal. Included by portrayal/CMakeLists.txt.
target_sources(portrayal PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AreaCentre.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AreaOutline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AreaPortrayal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextPreparation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextProcedures.cpp)
