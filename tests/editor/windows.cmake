# The Help menu's windows, the keyboard chart and the XML source editor. The
# classes are compiled into a small library of their own, so that these tests
# stand apart from the rest of the editor library.
get_property(windows_sources GLOBAL PROPERTY ZUVO_WINDOWS_SOURCES)
if(windows_sources)
  # The forms are found beside the sources that include them; listing them
  # here again would make a second rule for each generated header.
  list(FILTER windows_sources EXCLUDE REGEX "\\.ui$")
  add_library(windows_under_test STATIC ${windows_sources})
  target_include_directories(windows_under_test PUBLIC ${PROJECT_SOURCE_DIR}/editor)
  target_link_libraries(windows_under_test PUBLIC textlib Qt6::Widgets Qt6::Xml)
  foreach(test tst_helpwindows tst_keyboadmapping tst_xmltextedit)
    zuvo_add_test(${test} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp LIBS windows_under_test)
  endforeach()
endif()
