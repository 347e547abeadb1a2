# User-dictionary editor, word-entry dialog, the online Wiktionary lookup and
# the MediaWiki link query.
target_sources(lookup PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/getunicodetext.h
  ${CMAKE_CURRENT_LIST_DIR}/getunicodetext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/getunicodetext.ui
  ${CMAKE_CURRENT_LIST_DIR}/edituserdict.h
  ${CMAKE_CURRENT_LIST_DIR}/edituserdict.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edituserdict.ui
  ${CMAKE_CURRENT_LIST_DIR}/mediawiki.h
  ${CMAKE_CURRENT_LIST_DIR}/mediawiki.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wiktionaryonline.h
  ${CMAKE_CURRENT_LIST_DIR}/wiktionaryonline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wiktionaryonline.ui
  ${CMAKE_CURRENT_LIST_DIR}/searchwidget.h
  ${CMAKE_CURRENT_LIST_DIR}/searchwidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wiki.h
  ${CMAKE_CURRENT_LIST_DIR}/wiki.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs_wiki.qrc
)
