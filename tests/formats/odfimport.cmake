# Tests of the OpenDocument import: body, tables, frames and pictures, the
# driver, remote pictures over a loopback server, the threaded hand-over, and
# LibreOffice-made documents checked against LibreOffice's own text export.
set(zuvo_odfimport_fixtures ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/odfimport)

zuvo_add_test(tst_odfimport SOURCES tst_odfimport.cpp tst_odfimportsupport.h LIBS formats)
zuvo_add_test(tst_odfimportnet SOURCES tst_odfimportnet.cpp tst_odfimportsupport.h LIBS formats)
zuvo_add_test(tst_odfimportlo SOURCES tst_odfimportlo.cpp tst_odfimportsupport.h LIBS formats
  TIMEOUT 600)
target_compile_definitions(tst_odfimportlo PRIVATE
  ZUVO_ODFIMPORT_FIXTURES="${zuvo_odfimport_fixtures}")
