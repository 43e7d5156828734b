# SPDX-License-Identifier: GPL-3.0-or-later
# A comma-decimal C locale built into the build tree, so the locale tests need nothing installed
# system-wide, and the Qt-free helper that switches to it. Without localedef (or its locale
# sources) the locale tests report themselves skipped.
set(test_locales ${CMAKE_BINARY_DIR}/tests/locales)
add_library(tremvale_test_locale STATIC ${CMAKE_CURRENT_LIST_DIR}/CommaCLocale.cpp)
target_include_directories(tremvale_test_locale PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(tremvale_test_locale PRIVATE TREMVALE_TEST_LOCALES="${test_locales}")
tremvale_warnings(tremvale_test_locale)
find_program(TREMVALE_LOCALEDEF localedef)
if(TREMVALE_LOCALEDEF)
  add_custom_command(
    OUTPUT ${test_locales}/de_DE.stamp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${test_locales}
    COMMAND sh -c "'${TREMVALE_LOCALEDEF}' --quiet -i de_DE -f UTF-8 '${test_locales}/de_DE.UTF-8' || echo 'localedef failed: the comma-locale tests will skip'"
    COMMAND ${CMAKE_COMMAND} -E touch ${test_locales}/de_DE.stamp
    COMMENT "Building the de_DE.UTF-8 locale for the tests"
    VERBATIM)
  add_custom_target(tremvale_test_locales DEPENDS ${test_locales}/de_DE.stamp)
  add_dependencies(tremvale_test_locale tremvale_test_locales)
endif()
