# Tests of the RTF tokenizer, reader, writer and exporter.
set(rtf_fixtures ${CMAKE_CURRENT_LIST_DIR}/fixtures/rtf)
zuvo_add_test(tst_rtftokenizer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtftokenizer.cpp LIBS formats)
zuvo_add_test(tst_rtfreader SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfreader.cpp LIBS formats)
zuvo_add_test(tst_rtfwriter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfwriter.cpp LIBS formats)
zuvo_add_test(tst_rtfexporter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfexporter.cpp LIBS formats)
