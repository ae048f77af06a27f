# libFuzzer targets and their tests, in one place for every reader of outside
# text. Only the sanitizer build built with clang registers them (libFuzzer
# is clang's); the optimised build would run them a second time for nothing.
#
#   add_fuzz_test(NAME name SOURCES harness.cpp... LIBRARIES lib...)
#
# builds the target <name>_fuzz and the test fuzz_<name>, which runs it for
# TREE_FUZZ_SECONDS from the corpus in tests/fuzz/corpus/<name>/ (committed;
# each file one input). A finding fails the test and stays in the build
# folder's fuzz/<name>/.
set(TREE_FUZZ_SECONDS 30 CACHE STRING "Seconds each fuzz test runs")

if(TREE_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(TREE_FUZZ ON)
else()
  set(TREE_FUZZ OFF)
endif()

set(TREE_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

# Coverage in the libraries the harnesses call, so that the fuzzer sees
# inside the readers and not only the harness.
function(fuzz_instrument)
  if(TREE_FUZZ)
    foreach(target IN LISTS ARGN)
      target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endforeach()
  endif()
endfunction()

function(add_fuzz_test)
  cmake_parse_arguments(FUZZ "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT TREE_FUZZ)
    return()
  endif()
  if(NOT IS_DIRECTORY ${TREE_FUZZ_DIR}/corpus/${FUZZ_NAME})
    message(FATAL_ERROR "add_fuzz_test(${FUZZ_NAME}): no corpus in ${TREE_FUZZ_DIR}/corpus/${FUZZ_NAME}")
  endif()
  add_executable(${FUZZ_NAME}_fuzz ${FUZZ_SOURCES})
  target_compile_options(${FUZZ_NAME}_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(${FUZZ_NAME}_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${FUZZ_NAME}_fuzz PRIVATE ${FUZZ_LIBRARIES})
  add_test(NAME fuzz_${FUZZ_NAME}
    COMMAND ${TREE_FUZZ_DIR}/run_fuzz.sh $<TARGET_FILE:${FUZZ_NAME}_fuzz> ${TREE_FUZZ_DIR}/corpus/${FUZZ_NAME}
            ${CMAKE_BINARY_DIR}/fuzz/${FUZZ_NAME} ${TREE_FUZZ_SECONDS})
  # The run itself plus start-up, corpus loading and the sanitizers' exit.
  math(EXPR limit "${TREE_FUZZ_SECONDS} + 120")
  set_tests_properties(fuzz_${FUZZ_NAME} PROPERTIES TIMEOUT ${limit} LABELS fuzz)
endfunction()
