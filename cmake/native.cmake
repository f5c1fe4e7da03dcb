# Native build: the logic against the fake desktop, unit-tested with GoogleTest.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

# The fake desktop: the platform seam's native implementation, test code.
set(VMM_FAKE_SOURCES
  tests/fake/fake_desktop.cpp
  tests/fake/fake_dialogs.cpp
  tests/fake/fake_displays.cpp
  tests/fake/fake_failures.cpp
  tests/fake/fake_files.cpp
  tests/fake/fake_profiles.cpp
  tests/fake/fake_threads.cpp
  tests/fake/fake_windows.cpp)
set(VMM_UNIT_TEST_SOURCES
  tests/unit/controller_test.cpp
  tests/unit/display_scaling_test.cpp
  tests/unit/exports_test.cpp
  tests/unit/failure_test.cpp
  tests/unit/geometry_test.cpp
  tests/unit/hotkeys_test.cpp
  tests/unit/lifecycle_test.cpp
  tests/unit/monitor_list_test.cpp
  tests/unit/more_settings_test.cpp
  tests/unit/numbers_test.cpp
  tests/unit/options_dialog_test.cpp
  tests/unit/placement_test.cpp
  tests/unit/platform_failure_test.cpp
  tests/unit/reentry_test.cpp
  tests/unit/settings_file_cases_test.cpp
  tests/unit/settings_test.cpp
  tests/unit/version_info_test.cpp)
# One program each.
set(VMM_BENCH_SOURCES
  tests/bench/geometry_bench.cpp)
list(TRANSFORM VMM_FAKE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
list(TRANSFORM VMM_UNIT_TEST_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
list(TRANSFORM VMM_BENCH_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
vmm_require_listed(DIRECTORIES tests/fake tests/unit tests/bench
                   LISTS VMM_FAKE_SOURCES VMM_UNIT_TEST_SOURCES VMM_BENCH_SOURCES)

add_library(vmm_logic STATIC ${VMM_LOGIC_SOURCES})
add_library(vmm_fake STATIC ${VMM_FAKE_SOURCES})
# The logic's platform calls resolve against the fake in this build, so the
# fake follows the logic on every link line.
target_link_libraries(vmm_logic PRIVATE vmm_fake)

if(VMM_SANITIZE)
  set(VMM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
endif()
foreach(library vmm_logic vmm_fake)
  target_include_directories(${library} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${library} PRIVATE ${VMM_WARNINGS})
  # SSE doubles on both builds, so the DLL and the tests agree to the last bit.
  target_compile_options(${library} PUBLIC -msse2 -mfpmath=sse)
  target_compile_options(${library} PUBLIC ${VMM_SANITIZER_FLAGS})
  target_link_options(${library} PUBLIC ${VMM_SANITIZER_FLAGS})
endforeach()

add_executable(unit_tests ${VMM_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE vmm_logic vmm_fake GTest::gtest GTest::gtest_main
                      GTest::gmock Threads::Threads)
target_compile_options(unit_tests PRIVATE ${VMM_WARNINGS})
target_compile_definitions(unit_tests PRIVATE
                           VMM_README_PATH="${PROJECT_SOURCE_DIR}/resources/readme.txt")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  foreach(source ${VMM_BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE vmm_logic vmm_fake benchmark::benchmark)
  endforeach()
endif()
