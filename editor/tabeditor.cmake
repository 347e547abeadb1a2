# The rich-text editor of each document tab.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/unicodekaeditor.h
  ${CMAKE_CURRENT_LIST_DIR}/unicodekaeditor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unicodekaeditor_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unicodekaeditor_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kalineedit.h
  ${CMAKE_CURRENT_LIST_DIR}/kalineedit.cpp
)
