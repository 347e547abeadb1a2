# RTF: reading a 10 MB office-made file, writing it back, and the office suite's own conversion.
zuvo_add_bench(bench_rtf SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_rtf.cpp LIBS formats Qt6::Gui)
