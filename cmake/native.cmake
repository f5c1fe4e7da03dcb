# Native build: the logic against the fake desktop, unit-tested with GoogleTest.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

add_library(vmm_logic STATIC ${VMM_LOGIC_SOURCES} ${PROJECT_SOURCE_DIR}/platform/platform_fake.cpp)
target_include_directories(vmm_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(vmm_logic PRIVATE ${VMM_WARNINGS})
# SSE doubles on both builds, so the DLL and the tests agree to the last bit.
target_compile_options(vmm_logic PUBLIC -msse2 -mfpmath=sse)

if(VMM_SANITIZE)
  set(VMM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  target_compile_options(vmm_logic PUBLIC ${VMM_SANITIZER_FLAGS})
  target_link_options(vmm_logic PUBLIC ${VMM_SANITIZER_FLAGS})
endif()

file(GLOB VMM_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${VMM_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE vmm_logic GTest::gtest GTest::gtest_main GTest::gmock
                      Threads::Threads)
target_compile_options(unit_tests PRIVATE ${VMM_WARNINGS})
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB VMM_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bench/*_bench.cpp)
  foreach(source ${VMM_BENCH_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE vmm_logic benchmark::benchmark)
  endforeach()
endif()
