zuvo_add_bench(bench_lookup SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_lookup.cpp LIBS lookup benchwords)
