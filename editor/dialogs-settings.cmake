# PDF export, settings, script-converter, save-files and advanced-settings
# dialogs, with the pictures their forms show.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printersettingsdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/openpdfdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/openpdfdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/settingsdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingsdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/scriptconvertdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/scriptconvertdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptconvertdialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/zuvosavefiles.h
  ${CMAKE_CURRENT_LIST_DIR}/zuvosavefiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zuvosavefiles.ui
  ${CMAKE_CURRENT_LIST_DIR}/advancedsettings.h
  ${CMAKE_CURRENT_LIST_DIR}/advancedsettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/advancedsettings.ui
  ${CMAKE_CURRENT_LIST_DIR}/dialogs-settings.qrc)
