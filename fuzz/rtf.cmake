# The RTF tokenizer and reader on arbitrary bytes; what was read is written again.
zuvo_add_fuzzer(fuzz_rtfreader SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_rtfreader.cpp LIBS formats Qt6::Gui)
