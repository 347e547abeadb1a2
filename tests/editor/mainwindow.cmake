# The main window and its side pane.
if(TARGET editorapp)
  zuvo_add_test(tst_minibrowser SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_minibrowser.cpp
    LIBS editorapp)
  zuvo_add_test(tst_editorwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_editorwindow.cpp
    LIBS editorapp)
endif()
