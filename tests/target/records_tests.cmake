# Records, definition files, results file and the shipped definition data.
omr_add_test(target_records_tagged_value_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/records_tagged_value_test.cpp
  LIBS omr_target_core)
omr_add_test(target_records_definitions_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/records_definitions_test.cpp
  LIBS omr_target_core)
omr_add_test(target_records_results_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/records_results_test.cpp
  LIBS omr_target_core)
omr_add_test(target_records_data_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/records_data_test.cpp
  LIBS omr_target_core)
