# Fuzz build: the logic and the fake desktop instrumented for libFuzzer under
# AddressSanitizer and UBSan, and one fuzzing program per file in tests/fuzz/.
# scripts/fuzz builds and runs them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "the fuzz build needs clang++ (libFuzzer); use the fuzz preset")
endif()

set(VMM_FUZZ_SOURCES
  tests/fuzz/copy_texts.cpp
  tests/fuzz/display_names.cpp
  tests/fuzz/file_version.cpp
  tests/fuzz/geometry.cpp
  tests/fuzz/percent_text.cpp
  tests/fuzz/plugin_session.cpp
  tests/fuzz/previous_window.cpp
  tests/fuzz/settings_text.cpp)
list(TRANSFORM VMM_FUZZ_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
vmm_require_listed(DIRECTORIES tests/fuzz LISTS VMM_FUZZ_SOURCES)
# The native build checks that its list names every file of the fake; this
# build takes the directory whole, so the two cannot drift apart.
file(GLOB VMM_FUZZ_FAKE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fake/*.cpp)

# -fsanitize=fuzzer instruments the libraries for coverage; only the programs'
# link adds libFuzzer's main.
set(VMM_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

add_library(vmm_fuzz_logic STATIC ${VMM_LOGIC_SOURCES})
add_library(vmm_fuzz_fake STATIC ${VMM_FUZZ_FAKE_SOURCES})
target_link_libraries(vmm_fuzz_logic PRIVATE vmm_fuzz_fake)
foreach(library vmm_fuzz_logic vmm_fuzz_fake)
  target_include_directories(${library} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${library} PRIVATE ${VMM_WARNINGS})
  target_compile_options(${library} PUBLIC -msse2 -mfpmath=sse ${VMM_FUZZ_FLAGS})
endforeach()

foreach(source ${VMM_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(fuzz_${name} ${source})
  target_compile_options(fuzz_${name} PRIVATE ${VMM_WARNINGS})
  target_link_libraries(fuzz_${name} PRIVATE vmm_fuzz_logic vmm_fuzz_fake)
  target_link_options(fuzz_${name} PRIVATE ${VMM_FUZZ_FLAGS})
endforeach()
