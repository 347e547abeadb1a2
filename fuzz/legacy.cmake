# The "nudi" import chain: RTF bytes -> extracted glyph text -> romanisation -> Unicode.
zuvo_add_fuzzer(fuzz_nudiimport SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_nudiimport.cpp LIBS legacy)
