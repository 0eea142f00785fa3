# Drawing primitives, symbols and patterns, line styles and text of
# rendercore. Included by render/CMakeLists.txt.
target_sources(rendercore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ChartFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColourPens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComplexLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineStyles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PatternFill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolylineClipping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StrokeClipping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SymbolDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextDrawing.cpp)
