# Windows build: the self-contained plugin DLL and the programs that test it
# under Wine. Its files are listed in CMakeLists.txt.
enable_language(RC)

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
target_link_libraries(VeskMultiMonitor PRIVATE ${VMM_WIN32_LIBRARIES})
target_link_options(VeskMultiMonitor PRIVATE ${VMM_STATIC_RUNTIME} -Wl,--gc-sections -s
                    -Wl,--enable-stdcall-fixup)

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()

# The release package: the DLL, the help file (CRLF, for Notepad) and the
# icon, at the top level of one zip named after the project's version. VESK
# is a 32-bit program: only the 32-bit build makes one.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VMM_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)
  # Built in the build tree; the main job copies it to dist/.
  set(VMM_PACKAGE ${PROJECT_BINARY_DIR}/dist/VeskMultiMonitor-${PROJECT_VERSION}.zip)
  add_custom_command(OUTPUT ${VMM_PACKAGE_DIR}/multimonitor.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VMM_PACKAGE_DIR}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-icon ${VMM_PACKAGE_DIR}/multimonitor.ico
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-icon VERBATIM)
  add_custom_command(OUTPUT ${VMM_PACKAGE_DIR}/readme.txt
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/resources/readme.txt
            -DOUT=${VMM_PACKAGE_DIR}/readme.txt -P ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/readme.txt ${PROJECT_SOURCE_DIR}/cmake/crlf.cmake
    VERBATIM)
  add_custom_command(OUTPUT ${VMM_PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:VeskMultiMonitor> ${VMM_PACKAGE_DIR}/
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/dist
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VMM_PACKAGE}
    COMMAND zip -q -X -j ${VMM_PACKAGE} ${VMM_PACKAGE_DIR}/VeskMultiMonitor.dll
            ${VMM_PACKAGE_DIR}/readme.txt ${VMM_PACKAGE_DIR}/multimonitor.ico
    DEPENDS VeskMultiMonitor ${VMM_PACKAGE_DIR}/readme.txt ${VMM_PACKAGE_DIR}/multimonitor.ico
    VERBATIM)
  add_custom_target(release_package ALL DEPENDS ${VMM_PACKAGE})
  add_test(NAME package_contents
    COMMAND ${PROJECT_SOURCE_DIR}/tests/package/check_package.sh ${VMM_PACKAGE}
            $<TARGET_FILE:VeskMultiMonitor>)
endif()
