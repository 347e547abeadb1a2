# PDF export, settings, script-converter, save-files and advanced-settings
# dialogs, with the pictures their forms show.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/openpdfdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/openpdfdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs-settings.qrc)
