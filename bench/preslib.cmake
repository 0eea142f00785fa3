# Benchmarks of the presentation library loader and of the converter that
# builds the library (included by bench/CMakeLists.txt).
chart_add_bench(preslib_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/preslib/PresentationLibraryBench.cpp
  LIBS preslib libraryconverter)
