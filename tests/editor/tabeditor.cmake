# The tab editor: typing, editing commands and saving.
zuvo_add_test(tst_unicodekaeditor SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unicodekaeditor.cpp
  LIBS editorapp)
zuvo_add_test(tst_unicodekaeditorsave SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unicodekaeditorsave.cpp
  LIBS editorapp)
zuvo_add_test(tst_unicodekaeditorcommands
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unicodekaeditorcommands.cpp LIBS editorapp)
zuvo_add_test(tst_unicodekaeditoroffice
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unicodekaeditoroffice.cpp LIBS editorapp TIMEOUT 900)
