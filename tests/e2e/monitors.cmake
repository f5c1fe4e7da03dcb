# The monitor list and the placement on the real platform: the logic with the
# Win32 seam, on three desktops.
vmm_add_wine_program(monitors_probe monitors_probe.cpp LOGIC)

# The reference desktop: 1920x1080 primary and 1280x1024 to its right; a real
# window goes from M1 to M2 with the default options and with `center`.
vmm_add_wine_test(monitors_two_side_by_side "1920x1080+0+0,1280x1024+1920+0" monitors_probe
                  --reference-desktop --numbers 1,2
                  0,0,1920,1080 1920,0,3200,1024 TIMEOUT 30)

# Three monitors, one left of the primary: enumerated DISPLAY1, 2, 3, listed
# left to right as 2, 1, 3.
vmm_add_wine_test(monitors_three_one_left "1920x1080+0+0,1280x1024-1280+0,1600x900+1920+100"
                  monitors_probe --centre 559,389,1360,690 --numbers 2,1,3
                  -1280,0,0,1024 0,0,1920,1080 1920,100,3520,1000 TIMEOUT 30)

# A single monitor.
vmm_add_wine_test(monitors_single "1600x900+0+0" monitors_probe
                  --centre 399,299,1200,600 --numbers 1 0,0,1600,900 TIMEOUT 30)
