# Values of the history and user-dictionary list stores, as read from a file.
zuvo_add_fuzzer(fuzz_liststore SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_liststore.cpp LIBS lookup)
# Link-query answers of a wiki site, as the network delivers them.
zuvo_add_fuzzer(fuzz_wiki SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_wiki.cpp LIBS lookup)
