# The main job's demo (scripts/demo) without its pictures: the same six steps
# of the real DLL on the same desktop, so that the demo cannot drift from what
# the plugin does.
vmm_add_wine_test(demo_main_job "1920x1080+0+0,1280x1024+1920+0" vesk_host
                  --dll=${VMM_WINE_DLL} demo TIMEOUT 60)
