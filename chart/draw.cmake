# The draw pass: cell choice by scale and cell boundaries (ChartView.cpp is
# listed in chart/CMakeLists.txt). Included by chart/CMakeLists.txt.
target_sources(chart PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CellBoundary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellChoice.cpp)
