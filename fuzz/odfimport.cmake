# The OpenDocument import: content.xml bytes -> content loader, styles, body.
zuvo_add_fuzzer(fuzz_odfimport SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_odfimport.cpp LIBS formats)
