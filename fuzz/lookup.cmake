# Values of the history and user-dictionary list stores, as read from a file.
zuvo_add_fuzzer(fuzz_liststore SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_liststore.cpp LIBS lookup)
