# The main window's form (Ui_MainWindow) with its actions, menus and toolbar,
# and the icons it names under ":/resources/". The resources sit in this static
# library, so whoever builds the form calls Q_INIT_RESOURCE(mainform) first;
# the find icon comes from the dictionaries library (Q_INIT_RESOURCE(dialogs_wiki)).
target_sources(editorapp PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.ui
  ${CMAKE_CURRENT_LIST_DIR}/mainform.qrc
)
