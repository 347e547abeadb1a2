# zuvo_add_test(<name> SOURCES <files...> [LIBS <targets...>] [DCT <db files...>]
#               [DEPENDS <targets...>] [ARGS <args...>] [LABELS <labels...>]
#               [TIMEOUT <seconds>] [XCB])
#
# Builds one QtTest executable into a folder of its own (the "program folder",
# which holds dct/ like the real programs) and registers it with CTest. Each run
# starts in a fresh working folder with a private HOME, XDG_CONFIG_HOME,
# XDG_RUNTIME_DIR and TMPDIR, the offscreen platform and a UTF-8 locale, so that
# tests never see each other's settings, word files or lock files.
#
# XCB runs the test on the X11 platform against a private Xvfb server instead
# of offscreen: for tests of keys that X11 binds (Ctrl+K, Ctrl+letters) and of
# real key events. Without Xvfb such a test is skipped, except in CI, where it
# fails.
#
# DCT lists database files (usually outputs of a custom command) copied into
# <program folder>/dct before the test is built; DEPENDS names the targets that
# make them (e.g. bundled_dct with ZUVO_BUNDLED_DCT).
set(ZUVO_TEST_RUNNER ${CMAKE_CURRENT_LIST_DIR}/run-test.sh)

function(zuvo_add_test name)
  cmake_parse_arguments(ZT "XCB" "TIMEOUT" "SOURCES;LIBS;DCT;DEPENDS;ARGS;LABELS" ${ARGN})
  set(progdir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${name}.run)
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE testsupport Qt6::Test ${ZT_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${progdir})
  if(ZT_DCT)
    set(copies)
    foreach(db ${ZT_DCT})
      get_filename_component(dbname ${db} NAME)
      list(APPEND copies ${progdir}/dct/${dbname})
      add_custom_command(OUTPUT ${progdir}/dct/${dbname}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${progdir}/dct
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${db} ${progdir}/dct/${dbname}
        DEPENDS ${db} VERBATIM)
    endforeach()
    add_custom_target(${name}_dct DEPENDS ${copies})
    if(ZT_DEPENDS)
      add_dependencies(${name}_dct ${ZT_DEPENDS})
    endif()
    add_dependencies(${name} ${name}_dct)
  endif()
  set(platform)
  if(ZT_XCB)
    set(platform --xcb)
  endif()
  add_test(NAME ${name}
    COMMAND bash ${ZUVO_TEST_RUNNER} ${platform} ${workdir} $<TARGET_FILE:${name}> ${ZT_ARGS})
  if(ZT_XCB)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    list(APPEND ZT_LABELS xcb)
  endif()
  if(NOT ZT_TIMEOUT)
    set(ZT_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ZT_TIMEOUT})
  if(ZT_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ZT_LABELS}")
  endif()
endfunction()
