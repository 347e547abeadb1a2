# The tab editor: typing, editing commands and saving.
zuvo_add_test(tst_unicodekaeditor SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unicodekaeditor.cpp
  LIBS editorapp)
