#!/usr/bin/env bash
# A complete installation from a fresh prefix, driven by keys on Xvfb; a
# second installation over it while two of its files are held; the
# uninstallation as its Start-menu shortcut starts it, the restart declined;
# a third installation; a logon before the restart, the restart as Windows
# 98 makes it, the logon after it; the uninstallation.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
e2e_begin install 1024x768
install_prepare "$E2E_BUILD/package"
W=$WINEPREFIX/drive_c/windows
SETUP=$WINEPREFIX/drive_c/setup
STORE='HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters'
INSTANCE='HKLM\Enum\Root\DravikTouchScreen\0000'
SLOTS='HKLM\System\CurrentControlSet\Services\Class\Mouse'

# No copy made for the restart is left where the package puts files.
no_restart_copies() {
    local left
    left=$(find "$W" "$W/system" "$W/VelmoraScreen" -maxdepth 1 -iname 'vel*.tmp' 2>/dev/null)
    [ -z "$left" ] || { echo "FAIL: $1: copies for the restart left: $left" >&2; return 1; }
    echo "ok: $1: no copy for the restart left"
}

install_wizard 2 "" # COM3
install_report
install_check "$SETUP" 3
group=$(install_program_group)

# A second installation over the first, from a newer package, while the
# right-button tool runs from the product folder and an open Control Panel
# holds the applet (its warning answered with OK, the panel left open): the
# same slot, the new port, and the held files replaced at the restart.
e2e_start "$W/VelmoraScreen/lokrit.exe"
e2e_window lokrit.exe >/dev/null
e2e_start "$E2E_BUILD/tests/e2e/hold_file.exe" 'C:\windows\system\quinpad1.0.cpl' 'C:\applet-held'
for _ in $(seq 100); do [ -f "$WINEPREFIX/drive_c/applet-held" ] && break; sleep 0.1; done
printf 'a newer build' >>"$SETUP/lokrit.exe"
printf 'a newer build' >>"$SETUP/quinpad1.0.cpl"
install_wizard 1 "second-" # COM2
e2e_expect_eq "$(e2e_reg_value "$STORE" Port)" 2 "Port after the second installation"
e2e_expect_eq "$(e2e_reg_value "$INSTANCE" Driver)" 'Mouse\0000' "the marked slot reused"
e2e_expect_eq "$(e2e_reg_value "$SLOTS\\0001" DriverDesc)" "" "no second slot"
cmp -s "$W/VelmoraScreen/lokrit.exe" "$E2E_BUILD/package/lokrit.exe" ||
    { echo "FAIL: the running lokrit.exe was changed under it" >&2; exit 1; }

# "Uninstall Velmora" answered No: nothing is removed.
install_start_in_desktop "$W/VelmoraScreen" 'C:\windows\VelmoraScreen\install.exe' /u
e2e_window Message >/dev/null
install_press_button Message 7 # IDNO
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value "$INSTANCE" Driver)" 'Mouse\0000' "No at the confirmation removes nothing"
[ -f "$W/Zentrim.exe" ] || { echo "FAIL: No at the confirmation removed files" >&2; exit 1; }

# "Uninstall Velmora": the product folder's install.exe with /u, confirmed,
# the restart declined. The replacements the second installation left for
# the restart go with their copies; what is held goes at the restart.
install_uninstall "$W/VelmoraScreen" 'C:\windows\VelmoraScreen\install.exe' 5-uninstall-
e2e_expect_eq "$(e2e_reg_value "$INSTANCE" Driver)" "" "device entry removed"
[ ! -e "$group" ] || { echo "FAIL: program group left" >&2; exit 1; }
no_restart_copies "uninstalled"

# Installed again before the restart, the held files still held: the
# restart must delete nothing of it. A logon comes first (wineboot's log-off
# would be a boot, so none is made): Windows starts the calibrator from the
# hand-off, no driver is loaded yet, and the user leaves with Escape. The
# hand-off then waits for the logon after the restart.
install_wizard 1 "third-" # COM2
RUNONCE='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
e2e_logon
e2e_first_target 1024 768
e2e_screenshot logon-before-the-restart
e2e_key_to zentrim.exe Escape
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value "$RUNONCE" Orbalin)" 'C:\windows\Zentrim.exe' \
    "the hand-off back for the logon after the restart"
install_restart
install_check "$SETUP" 2
[ ! -e "$W/VelmoraScreen/restart.pnd" ] || { echo "FAIL: the restart left its marker" >&2; exit 1; }
[ -f "$W/VelmoraScreen/install.exe" ] ||
    { echo "FAIL: the uninstall shortcut's install.exe is gone after the restart" >&2; exit 1; }
cmp -s "$W/VelmoraScreen/lokrit.exe" "$SETUP/lokrit.exe" ||
    { echo "FAIL: the restart did not put the newer lokrit.exe in place" >&2; exit 1; }
applet=$(install_applets)
echo "the applet after the restart: $applet"
[ "${applet,,}" != quinpad1.0.cpl ] && cmp -s "$W/system/$applet" "$SETUP/quinpad1.0.cpl" ||
    { echo "FAIL: the restart did not put the newer applet in place under its 8.3 name" >&2; exit 1; }
no_restart_copies "after the restart"

# The logon after the restart, the driver loaded: the calibration reaches it,
# and the hand-off is spent.
e2e_control_device
e2e_logon
e2e_first_target 1024 768
e2e_key_to zentrim.exe Escape
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value "$RUNONCE" Orbalin)" "" "the hand-off spent after the restart"

# "Uninstall Velmora" finds the applet under its 8.3 name.
install_uninstall "$W/VelmoraScreen" 'C:\windows\VelmoraScreen\install.exe'
install_check_uninstalled 2 "$group"
echo "ok: installed again before the restart, intact after it, and uninstalled"
