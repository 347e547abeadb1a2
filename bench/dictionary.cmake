# Start-up of the look-up program: to a window ready for typing, and a second
# start handing over "WakeUp".
if(TARGET dictionary)
  zuvo_add_bench(bench_dictionary SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_dictionary.cpp
    LIBS dictionaryapp)
  target_compile_definitions(bench_dictionary PRIVATE
    DICTIONARY_PROGRAM="$<TARGET_FILE:dictionary>" BUNDLED_DCT="${ZUVO_BUNDLED_DCT}")
  add_dependencies(bench_dictionary dictionary bundled_dct)
endif()
