# Tests of the OpenDocument side: the ZIP container, units and colours, the
# reader object, its styles and formats.
zuvo_add_test(tst_zip SOURCES tst_zip.cpp LIBS formats)
target_compile_definitions(tst_zip PRIVATE
  ZUVO_ZIP_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/fixtures/zip")
