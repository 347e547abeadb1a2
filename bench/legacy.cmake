# The "nudi" import chain over a 1 MB file: RTF text extraction, romanisation, Unicode.
zuvo_add_bench(bench_legacy SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_legacy.cpp LIBS legacy)
