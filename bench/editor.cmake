zuvo_add_bench(bench_editor SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_editor.cpp LIBS editorapp)
