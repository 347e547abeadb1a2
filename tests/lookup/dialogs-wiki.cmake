zuvo_add_test(tst_edituserdict SOURCES tst_edituserdict.cpp LIBS lookup)
zuvo_add_test(tst_wiktionaryonline SOURCES tst_wiktionaryonline.cpp LIBS lookup)
zuvo_add_test(tst_wiki SOURCES tst_wiki.cpp LIBS lookup)
