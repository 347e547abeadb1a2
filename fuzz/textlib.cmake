# Dictionary databases with damaged and hostile values, read through every
# Dictionary operation; each value also goes through the inflate guard.
zuvo_add_fuzzer(fuzz_dictdb SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_dictdb.cpp
  LIBS textlib dctwriter)
