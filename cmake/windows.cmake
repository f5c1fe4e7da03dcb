# Windows build: the self-contained plugin DLL and the programs that test it
# under Wine.
enable_language(RC)

file(GLOB VMM_WIN32_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/platform/*_win32.cpp
  ${PROJECT_SOURCE_DIR}/plugin/*_win32.cpp
  ${PROJECT_SOURCE_DIR}/settings/*_win32.cpp)
file(GLOB VMM_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.rc)

set(VMM_WIN32_LIBRARIES user32 kernel32 shell32 shlwapi version)
set(VMM_WIN32_FLAGS -msse2 -mfpmath=sse)
set(VMM_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# The logic once more as a static library, for the integration programs that
# link it with the real seam.
add_library(vmm_logic_win32 STATIC ${VMM_LOGIC_SOURCES}
            ${PROJECT_SOURCE_DIR}/platform/platform_win32.cpp)
target_include_directories(vmm_logic_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(vmm_logic_win32 PUBLIC ${VMM_WIN32_FLAGS})
target_compile_options(vmm_logic_win32 PRIVATE ${VMM_WARNINGS})
target_compile_definitions(vmm_logic_win32 PUBLIC
  VMM_RELEASE_DATE="${VMM_RELEASE_DATE}" VMM_FILE_VERSION_TEXT="${VMM_FILE_VERSION_TEXT}")
target_link_libraries(vmm_logic_win32 PUBLIC ${VMM_WIN32_LIBRARIES})
target_link_options(vmm_logic_win32 PUBLIC ${VMM_STATIC_RUNTIME})

add_library(VeskMultiMonitor SHARED ${VMM_LOGIC_SOURCES} ${VMM_WIN32_SOURCES}
            ${VMM_RESOURCE_SCRIPTS} ${PROJECT_SOURCE_DIR}/plugin/exports.def)
set_target_properties(VeskMultiMonitor PROPERTIES PREFIX "" OUTPUT_NAME VeskMultiMonitor)
set_source_files_properties(${VMM_RESOURCE_SCRIPTS} PROPERTIES INCLUDE_DIRECTORIES
  "${PROJECT_BINARY_DIR}/generated;${PROJECT_SOURCE_DIR}/resources")
target_include_directories(VeskMultiMonitor PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(VeskMultiMonitor PRIVATE ${VMM_WARNINGS} ${VMM_WIN32_FLAGS}
                       -ffunction-sections -fdata-sections)
target_compile_definitions(VeskMultiMonitor PRIVATE
  VMM_RELEASE_DATE="${VMM_RELEASE_DATE}" VMM_FILE_VERSION_TEXT="${VMM_FILE_VERSION_TEXT}")
target_link_libraries(VeskMultiMonitor PRIVATE ${VMM_WIN32_LIBRARIES})
target_link_options(VeskMultiMonitor PRIVATE ${VMM_STATIC_RUNTIME} -Wl,--gc-sections -s
                    -Wl,--enable-stdcall-fixup)

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
