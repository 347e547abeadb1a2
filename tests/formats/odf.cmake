# Tests of the OpenDocument side: the ZIP container, units and colours, the
# reader object, its styles and formats.
set(zuvo_odf_fixtures ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/odf)

zuvo_add_test(tst_zip SOURCES tst_zip.cpp LIBS formats)
target_compile_definitions(tst_zip PRIVATE
  ZUVO_ZIP_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/fixtures/zip"
  ZUVO_ODF_FIXTURES="${zuvo_odf_fixtures}")
zuvo_add_test(tst_odfunits SOURCES tst_odfunits.cpp LIBS formats)
zuvo_add_test(tst_ooreader SOURCES tst_ooreader.cpp LIBS formats)
zuvo_add_test(tst_oostyles SOURCES tst_oostyles.cpp LIBS formats)
target_compile_definitions(tst_oostyles PRIVATE ZUVO_ODF_FIXTURES="${zuvo_odf_fixtures}")
