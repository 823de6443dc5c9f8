#!/usr/bin/env bash
# The package on Chinese Windows: code page 936, the package in a folder
# with a Chinese name (its last character's second byte is 0x5C, a
# backslash's), and the Start menu's Programs folder where Chinese Windows
# keeps it, "「开始」菜单\程序" in the Windows directory. Installed, checked,
# uninstalled from the "Uninstall Velmora" shortcut's folder.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
e2e_begin chinese 1024x768 zh_CN.UTF-8
W=$WINEPREFIX/drive_c/windows
programs='C:\windows\「开始」菜单\程序'
shell='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
wine_reg add "$shell\\User Shell Folders" /v Programs /t REG_EXPAND_SZ /d "$programs" /f >/dev/null
wine_reg add "$shell\\Shell Folders" /v Programs /t REG_SZ /d "$programs" /f >/dev/null
export INSTALL_PROGRAMS_DIR=$W/「开始」菜单/程序
mkdir -p "$INSTALL_PROGRAMS_DIR"
source=$WINEPREFIX/drive_c/下载/触摸屏淺
mkdir -p "$source"
cp "$E2E_BUILD"/package/* "$source/"
install_prepare

install_wizard 0 "" "$source" 'C:\下载\触摸屏淺\install.exe'
e2e_expect_eq "$(e2e_reg_value 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' ACP)" 936 \
    "the ANSI code page"
install_check "$source" 1
e2e_read_shortcut "$(install_program_group)/Uninstall Velmora.lnk" >/dev/null

# The program group as the user finds it in the Chinese Start menu.
install_folder_shot "$source" "$programs\Velmora Touchscreen" 5-program-group

install_uninstall "$(e2e_unix_path "$SHORTCUT_DIR")" "$SHORTCUT_TARGET" 6-uninstall-
group=$(install_program_group)
[ ! -e "$group" ] || { echo "FAIL: the program group is left: $(ls "$group")" >&2; exit 1; }
echo "ok: the program group is gone"
e2e_expect_eq "$(ls "$W/VelmoraScreen")" "install.exe" "the product folder keeps the running program"
e2e_expect_eq "$(ls "$source" | wc -l)" 10 "the package's folder keeps its files"
