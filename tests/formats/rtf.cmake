# Tests of the RTF tokenizer, reader, writer and exporter.
set(rtf_fixtures ${CMAKE_CURRENT_LIST_DIR}/fixtures/rtf)
zuvo_add_test(tst_rtftokenizer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtftokenizer.cpp LIBS formats)
zuvo_add_test(tst_rtfreader SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfreader.cpp LIBS formats)
zuvo_add_test(tst_rtfwriter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfwriter.cpp LIBS formats)
zuvo_add_test(tst_rtfexporter SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfexporter.cpp LIBS formats)
# Against the office suite: its committed RTF and text exports, and live
# conversions of what our writer makes.
zuvo_add_test(tst_rtfoffice SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rtfoffice.cpp LIBS formats
  TIMEOUT 900)
target_compile_definitions(tst_rtfoffice PRIVATE ZUVO_RTF_FIXTURES="${rtf_fixtures}")
