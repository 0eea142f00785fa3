# renderfeatures: the portrayal of line and sounding features, which calls
# the line, depth-figure and contour-label procedures of portrayal.
# Included by render/CMakeLists.txt.
add_library(renderfeatures STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LinePortrayal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundingPortrayal.cpp)
target_include_directories(renderfeatures PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(renderfeatures PUBLIC portrayal rendercore)
