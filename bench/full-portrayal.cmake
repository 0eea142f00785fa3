# The full draw pass, every feature kind drawn, joins the draw benchmark
# (included by bench/CMakeLists.txt after draw.cmake).
if(TARGET draw_bench)
  target_sources(draw_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/draw/FullPortrayalBench.cpp)
endif()
