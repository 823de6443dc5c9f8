#!/usr/bin/env bash
# The package's whole life, as a user and Windows live it: installation, the
# restart's one-time calibration, a later calibration left with Escape, and
# the uninstallation, each started the way Windows or the Start menu starts
# it. Every screen goes to build/e2e/lifecycle/.
#
# Wine reports Windows 98, the package's target; with the argument "nt" the
# setup is first refused under Wine's own NT version (build/e2e/lifecycle-nt/),
# then installed under Windows 98, and the rest of the life runs under NT,
# whose registry keeps a key that has subkeys when RegDeleteKeyA is asked to
# go and whose restart is MoveFileExA's.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
W=1024 H=768
WIN98=$( [ "${1:-}" = nt ] && echo no || echo yes)
if [ $WIN98 = no ]; then
    e2e_begin lifecycle-nt ${W}x${H}
else
    e2e_begin lifecycle ${W}x${H}
fi
started=$(date +%s)
e2e_control_device
install_prepare "$E2E_BUILD/package"
WIN=$WINEPREFIX/drive_c/windows
RUNONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'

if [ $WIN98 = no ]; then
    # 0. The NT family cannot load the driver: one box, and nothing written.
    wine_windows_version default
    install_start_in_desktop "$WINEPREFIX/drive_c/setup" "$INSTALL_SETUP_DIR\\install.exe"
    e2e_window Message >/dev/null
    sleep 0.3
    e2e_screenshot 0-nt-refused
    install_press_button Message 1 # IDOK
    e2e_wait_exit
    grep -q "Windows 98 and Windows ME only" "$E2E_DIR/boxes.log" ||
        { echo "FAIL: no refusal: $(cat "$E2E_DIR/boxes.log")" >&2; exit 1; }
    e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" Port)$(e2e_reg_value 'HKLM\Enum\Root\DravikTouchScreen\0000' Driver)" \
        "" "the refused setup wrote no registry value"
    [ ! -e "$WIN/VelmoraScreen" ] && [ ! -e "$WIN/system/kaltex.vxd" ] ||
        { echo "FAIL: the refused setup copied files" >&2; exit 1; }
    wine_windows_version win98
fi

# 1. Setup: Welcome, COM2, progress, "Finish", "No" at the restart prompt.
install_wizard 1 ""
if [ $WIN98 = no ]; then
    wine_windows_version default
    e2e_expect_eq "$(e2e_reg_value 'HKCU\Software\Wine' Version)" "" "Wine's own version from now on"
fi
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" Port)" 2 "Port after setup"
e2e_expect_eq "$(e2e_store_set)" "0 0 50 50 0" "the neutral set after setup"

# 2. The logon: Windows runs the RunOnce value.
e2e_logon
e2e_first_target $W $H
e2e_screenshot 5-first-target
e2e_touch_targets $W $H 6-second-target 7-check-screen
e2e_press_ok $W $H
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value "$RUNONCE" Orbalin)" "" "the hand-off spent: the calibration reached the driver"
calibrated=$(e2e_store_set)
echo "calibrated: $calibrated"
[ "$calibrated" != "0 0 50 50 0" ] || { echo "FAIL: nothing calibrated" >&2; exit 1; }
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" Port)" 2 "Port after calibration"

# 3. Later: "Calibration" from the Start menu, left with Escape.
group=$(install_program_group)
e2e_follow_shortcut "$group/Calibration.lnk"
e2e_first_target $W $H
e2e_screenshot 8-calibration-again
e2e_expect_eq "$(e2e_store_set)" "0 0 50 50 0" "the neutral set while the targets show"
xdotool key Escape
e2e_wait_exit
e2e_expect_eq "$(e2e_store_set)" "$calibrated" "Escape left the previous calibration in place"

# 4. "Uninstall Velmora" from the Start menu (in a Wine desktop, for its
# title bars): confirmed, no restart.
e2e_read_shortcut "$group/Uninstall Velmora.lnk"
e2e_expect_eq "$SHORTCUT_ARGS" /u "the uninstall shortcut's arguments"
install_uninstall "$(e2e_unix_path "$SHORTCUT_DIR")" "$SHORTCUT_TARGET" 9-uninstall-
install_check_uninstalled 2 "$group"
# The restart deletes the running setup program; NT removes the emptied
# folder too, Windows 98 keeps it.
install_restart
if [ $WIN98 = no ]; then
    [ ! -e "$WIN/VelmoraScreen" ] || { echo "FAIL: the product folder is left" >&2; exit 1; }
else
    e2e_expect_eq "$(ls -A "$WIN/VelmoraScreen")" "" "after the restart, the product folder is empty"
fi
e2e_expect_eq "$(e2e_store_set)" "$calibrated" "the calibration is kept"
e2e_expect_eq "$(e2e_reload_count)" 12 "reload requests: 3 + 1 + 2 for the first calibration, 3 + 1 (restore) + 2 for the second"
echo "lifecycle took $(( $(date +%s) - started )) s"
