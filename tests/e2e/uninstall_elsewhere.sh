#!/usr/bin/env bash
# The package unpacked into a download folder beside the user's own files,
# installed from there, and later uninstalled from there with "install.exe
# /u": the user's files all stay, the read-only and hidden ones too, and the
# product folder is gone.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
e2e_begin uninstall-elsewhere 1024x768
install_prepare "$E2E_BUILD/package"
downloads=$WINEPREFIX/drive_c/setup
echo "my letter" >"$downloads/letter.doc"
echo "my budget" >"$downloads/budget.xls"
echo "hidden notes" >"$downloads/.notes"
install_wizard 0 ""
# A subfolder would have stopped the installation's copy; now it is the user's.
mkdir -p "$downloads/photos" && echo "a photo" >"$downloads/photos/holiday.jpg"
wine_tool attrib +r 'C:\setup\letter.doc' >/dev/null 2>&1
wine_tool attrib +h 'C:\setup\budget.xls' >/dev/null 2>&1
e2e_expect_eq "$(stat -c %A "$downloads/letter.doc" | cut -c3)" - "letter.doc is read-only"
before=$(cd "$downloads" && find . -type f -exec md5sum {} + | sort)
product=$WINEPREFIX/drive_c/windows/VelmoraScreen
[ -f "$product/install.exe" ] || { echo "FAIL: not installed" >&2; exit 1; }

install_uninstall "$downloads" "$INSTALL_SETUP_DIR\\install.exe" ""
after=$(cd "$downloads" && find . -type f -exec md5sum {} + | sort)
e2e_expect_eq "$after" "$before" "every file of the download folder"
[ ! -e "$product" ] || { echo "FAIL: the product folder is left: $(ls "$product")" >&2; exit 1; }
echo "ok: the product folder is gone"
e2e_expect_eq "$(e2e_reg_value 'HKLM\Enum\Root\DravikTouchScreen\0000' Driver)" "" "device entry removed"
