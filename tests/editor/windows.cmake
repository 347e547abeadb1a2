# The Help menu's windows, the keyboard chart and the XML source editor.
foreach(test tst_helpwindows tst_keyboadmapping tst_xmltextedit)
  zuvo_add_test(${test} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp LIBS editorapp)
endforeach()
