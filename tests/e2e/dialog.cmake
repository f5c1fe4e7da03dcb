# The options dialog and the version resource of the real DLL, driven through
# the stand-in host (vesk_host_dialog_*.cpp, vesk_host_version_resource.cpp).
vmm_add_wine_test(dialog_version_resource "1024x768+0+0" vesk_host --dll=${VMM_WINE_DLL}
                  version-resource TIMEOUT 30)

# Two monitors: the reload is seen as a show centred on the second one.
vmm_add_wine_test(dialog_options "1600x900+0+0,1280x1024+1600+0" vesk_host
                  --dll=${VMM_WINE_DLL} dialog-no-controller dialog-template dialog-states
                  dialog-save dialog-close dialog-reload TIMEOUT 60)

# VESK shuts the plugin down (its tray's Exit) while the options are open; the
# user presses OK, and VESK starts the plugin again on two monitors.
vmm_add_wine_test(dialog_shutdown_inside "1600x900+0+0,1280x1024+1600+0" vesk_host
                  --dll=${VMM_WINE_DLL} dialog-shutdown-inside TIMEOUT 30)

# In a folder named in Cyrillic: the version texts are the resource's, the
# dialog's OK writes the file there and the plugin started again reads it.
vmm_add_wine_test(dialog_cyrillic_folder "1600x900+0+0,1280x1024+1600+0" vesk_host
                  --dll=${VMM_WINE_DLL_CYRILLIC} --install-from=${VMM_WINE_DLL}
                  "--expect-version=${VMM_EXPECTED_VERSION_TEXT}"
                  "--expect-release-date=${VMM_EXPECTED_RELEASE_DATE}"
                  texts version-resource dialog-save dialog-shutdown-inside TIMEOUT 60)
set_tests_properties(dialog_cyrillic_folder PROPERTIES ENVIRONMENT LANG=C.UTF-8)

# The longest path of the DLL whose version texts are read, 258 characters:
# the DLL asks for room enough. (Wine fills a buffer too small as Windows XP
# did; the cut that Windows since Vista makes is held to natively, by the fake.)
string(REPEAT "v" 230 long_folder)
vmm_add_wine_test(version_path_258 "1024x768+0+0" vesk_host
                  "--dll=C:\\vmm\\${long_folder}\\VeskMultiMonitor.dll"
                  --install-from=${VMM_WINE_DLL}
                  "--expect-version=${VMM_EXPECTED_VERSION_TEXT}"
                  "--expect-release-date=${VMM_EXPECTED_RELEASE_DATE}" texts TIMEOUT 30)
