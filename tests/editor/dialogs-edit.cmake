zuvo_add_test(tst_insertdialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_insertdialogs.cpp LIBS editorapp)
zuvo_add_test(tst_zuvodialog SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_zuvodialog.cpp LIBS editorapp)
zuvo_add_test(tst_findandreplace SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_findandreplace.cpp LIBS editorapp)
