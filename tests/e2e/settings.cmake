# The settings edited in the file only, with the real DLL and the stand-in
# host (vesk_host_settings.cpp).

# The reference desktop with a 40 px taskbar at the bottom of each
# monitor; the options dialog's OK on the same desktop.
vmm_add_wine_test(settings_taskbar "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} --shell settings-work-area settings-keep-on-screen
                  settings-chosen-monitor settings-both-axes-side-by-side
                  settings-dialog-keeps settings-remember-per-monitor
                  WORKAREAS "0,0,1920,1040,1920,0,1280,984" TIMEOUT 120)

# 1920x1080 above 1920x1080.
vmm_add_wine_test(settings_stacked "1920x1080+0+0,1920x1080+0+1080" vesk_host
                  --dll=${VMM_WINE_DLL} --shell settings-both-axes TIMEOUT 60)

# Three 1920x1080 stacked, the primary in the middle: listed top to bottom
# with both axes, in the order of enumeration without.
vmm_add_wine_test(settings_stacked_three "1920x1080+0+0,1920x1080+0-1080,1920x1080+0+1080"
                  vesk_host --dll=${VMM_WINE_DLL} --shell settings-both-axes-walk TIMEOUT 60)

# In a folder named in Cyrillic: the percentage hotkeys store their choice in
# the settings file there.
vmm_add_wine_test(settings_cyrillic_folder "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL_CYRILLIC} --install-from=${VMM_WINE_DLL} --shell
                  tracking-show TIMEOUT 60)
set_tests_properties(settings_cyrillic_folder PROPERTIES ENVIRONMENT LANG=C.UTF-8)
