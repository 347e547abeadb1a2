# The OpenDocument container and style registry: ZIP bytes -> every member;
# a content stream -> name scan, font faces, automatic styles and formats.
# Seeds: tests/formats/fixtures/zip/*.zip and styles.odt for the first, the
# streams of tests/formats/fixtures/odf (registry/, styles.odt) for the second.
# The ZIP reader needs nothing of the rest of the library.
find_package(ZLIB REQUIRED)
zuvo_add_fuzzer(fuzz_zip SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_zip.cpp
  ${PROJECT_SOURCE_DIR}/formats/GZip.cpp LIBS Qt6::Core ZLIB::ZLIB)
target_include_directories(fuzz_zip PRIVATE ${PROJECT_SOURCE_DIR}/formats)
zuvo_add_fuzzer(fuzz_oostyles SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_oostyles.cpp LIBS formats)
