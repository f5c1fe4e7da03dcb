# The main job's demo (scripts/demo) without its pictures: the same six steps
# of the real DLL on the same desktops, so that the demo cannot drift from
# what the plugin does.
vmm_add_wine_test(demo_main_job "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} --shell demo TIMEOUT 60)

# Its second part: M2 below M1, a 40 px taskbar at the bottom of each.
vmm_add_wine_test(demo_stacked "1920x1080+0+0,1280x1024+320+1080" vesk_host
                  --dll=${VMM_WINE_DLL} --shell demo-stacked
                  WORKAREAS "0,0,1920,1040,320,1080,1280,984" TIMEOUT 60)
