# omr_add_test(<name> [GUI] SOURCES <files...> LIBS <libs...>)
# One small executable per unit; GUI tests get a QApplication, the others a
# QCoreApplication. All run headless on the offscreen platform.
#
# In the sanitizer build every test, and every process it starts (they inherit
# the environment), stops at the first report and fails; leaks are checked at
# exit against the committed suppressions for system libraries. There is no
# UBSan suppression file: with -fno-sanitize-recover a report stops the
# process whatever a suppression says, and only code compiled here (ours and
# inline header code) is checked, so every UBSan report is fixed in the code.
set(OMR_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen" "OMR_SOURCE_DIR=${CMAKE_SOURCE_DIR}" "OMR_BIN_DIR=${OMR_BIN_DIR}")
set(OMR_TEST_TIMEOUT 300)
if(OMR_SANITIZE)
  set(omr_sanitizer_dir ${CMAKE_SOURCE_DIR}/cmake/sanitizers)
  list(APPEND OMR_TEST_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
    "LSAN_OPTIONS=suppressions=${omr_sanitizer_dir}/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  set(OMR_TEST_TIMEOUT 900)
endif()

function(omr_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${name} PRIVATE omr_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE omr_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${OMR_TEST_ENVIRONMENT}" TIMEOUT ${OMR_TEST_TIMEOUT})
endfunction()
