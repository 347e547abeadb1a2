zuvo_add_test(tst_edituserdict SOURCES tst_edituserdict.cpp LIBS lookup)
