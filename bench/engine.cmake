zuvo_add_bench(bench_engine SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_engine.cpp LIBS textlib benchwords)
