# The tab controller: documents, files, commands and the keyboard icons it shows.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tabwidget.h
  ${CMAKE_CURRENT_LIST_DIR}/tabwidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tabwidget_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tabwidget.qrc
)
