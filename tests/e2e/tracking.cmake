# The plugin's main job with the real DLL and the stand-in host behaving like
# VESK, on the reference desktop: 1920x1080 primary and 1280x1024 to
# its right. One run holds all the scenarios, as each run costs a desktop.
vmm_add_wine_test(tracking_main_job "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} --shell tracking-show tracking-mouse tracking-center
                  tracking-reentry tracking-busy TIMEOUT 60)

# Figures only (see vesk_host_tracking_bench.cpp): fails when the run breaks
# down, never on a timing.
vmm_add_wine_test(tracking_bench "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} tracking-bench TIMEOUT 120)

# Display scaling as a host that is not DPI-aware sees it on Windows, made
# under Wine by the stand-in host (vesk_host_scaled.cpp): the same steps land
# where they land without it.
vmm_add_wine_test(tracking_scaled "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} --shell tracking-scaled TIMEOUT 60)
