# Read by ctest after the discovered tests of live_tests: they run the program against the
# simulator in real time, so they get the label "live" (ctest -L live / -LE live) and room to run.
if(live_tests_TESTS)
  set_tests_properties(${live_tests_TESTS} PROPERTIES LABELS live TIMEOUT 600)
endif()
