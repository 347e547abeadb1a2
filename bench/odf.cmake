# The ZIP container of OpenDocument files: opening and reading an archive of
# 65,535 entries, the most its end record can count; the colour table.
zuvo_add_bench(bench_odf SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_odf.cpp LIBS formats)
