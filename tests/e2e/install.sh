#!/usr/bin/env bash
# A complete installation from a fresh prefix, driven by keys on Xvfb; a
# second installation over it; then the uninstallation as its Start-menu
# shortcut starts it.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
e2e_begin install 1024x768
install_prepare "$E2E_BUILD/package"
W=$WINEPREFIX/drive_c/windows
STORE='HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters'
INSTANCE='HKLM\Enum\Root\DravikTouchScreen\0000'
SLOTS='HKLM\System\CurrentControlSet\Services\Class\Mouse'

install_wizard 2 "" # COM3
install_report
install_check "$WINEPREFIX/drive_c/setup" 3
group=$(install_program_group)

# A second installation over the first, from a newer package, while the
# right-button tool runs from the product folder: the same slot, the new
# port, and the held program replaced at the restart.
e2e_start "$W/VelmoraScreen/lokrit.exe"
e2e_window lokrit.exe >/dev/null
printf 'a newer build' >>"$WINEPREFIX/drive_c/setup/lokrit.exe"
install_wizard 1 "second-" # COM2
e2e_expect_eq "$(e2e_reg_value "$STORE" Port)" 2 "Port after the second installation"
e2e_expect_eq "$(e2e_reg_value "$INSTANCE" Driver)" 'Mouse\0000' "the marked slot reused"
e2e_expect_eq "$(e2e_reg_value "$SLOTS\\0001" DriverDesc)" "" "no second slot"
cmp -s "$W/VelmoraScreen/lokrit.exe" "$E2E_BUILD/package/lokrit.exe" ||
    { echo "FAIL: the running lokrit.exe was changed under it" >&2; exit 1; }
install_restart
cmp -s "$W/VelmoraScreen/lokrit.exe" "$WINEPREFIX/drive_c/setup/lokrit.exe" ||
    { echo "FAIL: the restart did not put the newer lokrit.exe in place" >&2; exit 1; }
echo "ok: the restart put the newer lokrit.exe in place"

# "Uninstall Velmora" answered No: nothing is removed.
install_start_in_desktop "$W/VelmoraScreen" 'C:\windows\VelmoraScreen\install.exe' /u
e2e_window Message >/dev/null
install_press_button Message 7 # IDNO
e2e_wait_exit 30
e2e_expect_eq "$(e2e_reg_value "$INSTANCE" Driver)" 'Mouse\0000' "No at the confirmation removes nothing"
[ -f "$W/Zentrim.exe" ] || { echo "FAIL: No at the confirmation removed files" >&2; exit 1; }

# "Uninstall Velmora": the product folder's install.exe with /u, confirmed,
# no restart.
install_uninstall "$W/VelmoraScreen" 'C:\windows\VelmoraScreen\install.exe' 5-uninstall-
install_check_uninstalled 2 "$group"
install_restart
e2e_expect_eq "$(ls -A "$W/VelmoraScreen")" "" "after the restart, the product folder is empty"
echo "uninstallation checked"
