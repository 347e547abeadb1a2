# The OpenDocument import of a long LibreOffice-made document, against
# LibreOffice's own conversion of it to text.
zuvo_add_bench(bench_odfimport SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_odfimport.cpp LIBS formats)
