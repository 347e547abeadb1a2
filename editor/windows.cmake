# The Help menu's windows (user guide, about box, typing examples, keyboard
# chart) and the XML source editor.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/helptopics.h ${CMAKE_CURRENT_LIST_DIR}/helptopics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/helptopics.ui
  ${CMAKE_CURRENT_LIST_DIR}/aboutzuvo.h ${CMAKE_CURRENT_LIST_DIR}/aboutzuvo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aboutzuvo.ui
  ${CMAKE_CURRENT_LIST_DIR}/keyboardexamples.h ${CMAKE_CURRENT_LIST_DIR}/keyboardexamples.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboardexamples.ui
  ${CMAKE_CURRENT_LIST_DIR}/keyboadmapping.h ${CMAKE_CURRENT_LIST_DIR}/keyboadmapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboadmapping.ui
  ${CMAKE_CURRENT_LIST_DIR}/xmlhighlighter.h ${CMAKE_CURRENT_LIST_DIR}/xmlhighlighter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xmltextedit.h ${CMAKE_CURRENT_LIST_DIR}/xmltextedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows.qrc
)
