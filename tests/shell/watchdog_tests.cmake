# The polling cycle: unit tests with recording targets, and the end-to-end run
# against the scoring-system simulator in its own process.
omr_add_test(shell_watchdog_cycle_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/watchdog_cycle_test.cpp
  LIBS omr_shell_core)

omr_add_test(shell_watchdog_e2e_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/watchdog_e2e_test.cpp
  LIBS omr_shell_core omr_target_core)
add_dependencies(shell_watchdog_e2e_test omr_simulator)

omr_add_test(shell_watchdog_fault_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/watchdog_fault_test.cpp
  LIBS omr_shell_core)
