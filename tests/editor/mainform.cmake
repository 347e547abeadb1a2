# The main window's form and its icons.
if(TARGET editorapp)
  zuvo_add_test(tst_mainform SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainform.cpp LIBS editorapp)
  # The form is compiled for the test from its place in the editor folder; the
  # test is rebuilt whenever the form changes.
  set_property(TARGET tst_mainform PROPERTY AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/editor)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/tst_mainform.cpp APPEND PROPERTY
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/editor/mainwindow.ui)
endif()
