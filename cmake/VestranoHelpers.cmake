# Small helpers so that every area declares its libraries, tests, benchmarks and
# fuzz targets the same way.

# vestrano_library(name [QT] SOURCES ... LIBS ...)
# A static, position-independent library of the module (or of the hall/server).
function(vestrano_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${VESTRANO_MODULE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vestrano_test(area SOURCES ... LIBS ... [QT] [LEAKS])
# One GoogleTest executable per area, registered with ctest as one test.
# QT runs it on the offscreen platform. Leak checking is on only with LEAKS:
# Qt, fontconfig and the X/GL stacks keep process-lifetime allocations that
# LeakSanitizer reports as leaks, which would drown real ones.
function(vestrano_test area)
  cmake_parse_arguments(ARG "QT;LEAKS" "" "SOURCES;LIBS" ${ARGN})
  set(exe test_${area})
  add_executable(${exe} ${ARG_SOURCES})
  target_include_directories(${exe} PRIVATE ${VESTRANO_MODULE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${exe} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${area} COMMAND ${exe})
  set(env "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  if(ARG_LEAKS)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1")
  else()
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  if(ARG_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${area} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 1500)
endfunction()

# vestrano_bench(name SOURCES ... LIBS ...): built, never run by ctest.
function(vestrano_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${VESTRANO_MODULE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  if(NOT TARGET benchmarks)
    add_custom_target(benchmarks)
  endif()
  add_dependencies(benchmarks ${name})
endfunction()

# vestrano_fuzz(name SOURCES ... LIBS ...): a libFuzzer target.
function(vestrano_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${VESTRANO_MODULE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined
                                         -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()
