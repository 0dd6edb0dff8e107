# Checks of the checking builds, run by ctest beside the suite.

if(QUENFOLD_SANITIZE)
  # The whole demo rendered headless at 4 frames a second; a GL error, like a
  # sanitizer report, makes it exit non-zero.
  set(DEMO_RUN_DIR ${CMAKE_BINARY_DIR}/tests/demo-run)
  add_test(NAME WholeDemoRun COMMAND $<TARGET_FILE:quenfold-render>
           --demo --times 210 --fps 4 --check-gl --out ${DEMO_RUN_DIR})
  set_tests_properties(WholeDemoRun PROPERTIES TIMEOUT 1200 COST 2000 FAIL_REGULAR_EXPRESSION "GL errors: [1-9]")
endif()

if(QUENFOLD_FUZZ)
  # Each fuzz target for a short while from its corpus; a finding fails and leaves its input in fuzz/.
  set(QUENFOLD_FUZZ_SECONDS 15 CACHE STRING "Seconds each fuzz target runs under ctest")
  get_property(fuzzers DIRECTORY ${CMAKE_SOURCE_DIR}/tests/fuzz PROPERTY BUILDSYSTEM_TARGETS)
  foreach(name ${fuzzers})
    get_target_property(type ${name} TYPE)
    if(NOT type STREQUAL "EXECUTABLE")
      continue()
    endif()
    set(found ${CMAKE_BINARY_DIR}/fuzz/corpus/${name})
    file(MAKE_DIRECTORY ${found})
    add_test(NAME Fuzz.${name} COMMAND $<TARGET_FILE:${name}> -max_total_time=${QUENFOLD_FUZZ_SECONDS}
             -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz/${name}-
             ${found} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
    set_tests_properties(Fuzz.${name} PROPERTIES TIMEOUT 600 COST 1000)
  endforeach()
endif()
