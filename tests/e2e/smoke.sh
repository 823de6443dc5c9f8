#!/usr/bin/env bash
# The tier itself: a cross-compiled program on Xvfb in a fresh prefix, clicked
# with xdotool, its effect read back from the registry; the control device
# watched from outside.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
e2e_begin smoke 800x600
e2e_control_device

e2e_start "$E2E_BUILD/tests/e2e/smoke_click.exe"
window=$(e2e_window "Velmora smoke")
e2e_screenshot 1-window
e2e_click_in "$window" 200 150
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value 'HKCU\Software\VelmoraSmoke' Clicked)" 1 "click recorded"
e2e_expect_eq "$(e2e_reload_count)" 0 "no reload requests from a program that sends none"
