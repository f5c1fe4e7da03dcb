# Native build: the logic against the fake desktop, unit-tested with GoogleTest.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

# The fake desktop: the platform seam's native implementation, test code.
set(VMM_FAKE_SOURCES
  tests/fake/fake_desktop.cpp
  tests/fake/fake_dialogs.cpp
  tests/fake/fake_displays.cpp
  tests/fake/fake_files.cpp
  tests/fake/fake_profiles.cpp
  tests/fake/fake_windows.cpp)
list(TRANSFORM VMM_FAKE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)

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

file(GLOB VMM_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${VMM_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE vmm_logic vmm_fake GTest::gtest GTest::gtest_main
                      GTest::gmock Threads::Threads)
target_compile_options(unit_tests PRIVATE ${VMM_WARNINGS})
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB VMM_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bench/*_bench.cpp)
  foreach(source ${VMM_BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE vmm_logic vmm_fake benchmark::benchmark)
  endforeach()
endif()
