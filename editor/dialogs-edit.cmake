# Editing dialogs: insert table, insert link, the file chooser and the find
# and replace bar, with the icons of the bar.
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/inserttabledialog.h
  ${CMAKE_CURRENT_LIST_DIR}/inserttabledialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inserttabledialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/insertlinkdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/insertlinkdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zuvodialog.h
  ${CMAKE_CURRENT_LIST_DIR}/zuvodialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findandreplacedialog.h
  ${CMAKE_CURRENT_LIST_DIR}/findandreplacedialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findandreplacedialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/dialogs-edit.qrc
)
