# Spell-check and offline dictionary dialogs.
target_sources(lookup PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/spellcheckdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/spellcheckdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spellcheckdialog.ui
)
target_sources(lookup PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/zavidodazdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/zavidodazdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zavidodazdialog.ui
)
