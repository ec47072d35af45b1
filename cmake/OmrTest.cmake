# omr_add_test(<name> [GUI] SOURCES <files...> LIBS <libs...>)
# One small executable per unit; GUI tests get a QApplication, the others a
# QCoreApplication. All run headless on the offscreen platform.
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
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;OMR_SOURCE_DIR=${CMAKE_SOURCE_DIR};OMR_BIN_DIR=${OMR_BIN_DIR}"
    TIMEOUT 300)
endfunction()
