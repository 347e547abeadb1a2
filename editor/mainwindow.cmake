# The main window and its side pane (a small file browser in a dock), with the
# picture of the pane's up button. The program's main.cpp is not part of the
# library.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/minibrowser.h
  ${CMAKE_CURRENT_LIST_DIR}/minibrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.qrc
)
