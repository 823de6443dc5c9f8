# The setup wizard driven as a user drives it, with keys, on the harness's
# screen; shared by the e2e tests and tools/run. Sourced after harness.sh.

INSTALL_PAGE_WELCOME='Velmora Touchscreen Setup \(Welcome\)'
INSTALL_PAGE_PORT='Velmora Touchscreen Setup \(TouchScreen Port Selection\)'
INSTALL_PAGE_PROGRESS='Velmora Touchscreen Setup \(Progressing\.\.\.\)'
INSTALL_SETUP_DIR='C:\setup'
# By its path: see wine_tool.
INSTALL_EXPLORER='C:\windows\system32\explorer.exe'

# The machine as the package meets it: the package, when given, unpacked in
# C:\setup, the Windows 98 "System" folder (a 64-bit prefix has none), and
# COM1 to COM3.
install_prepare() {
    local windows=$WINEPREFIX/drive_c/windows
    mkdir -p "$windows/system"
    if [ -n "${1:-}" ]; then
        mkdir -p "$WINEPREFIX/drive_c/setup"
        cp "$1"/* "$WINEPREFIX/drive_c/setup/"
    fi
    wine_reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v 'Serial1' /t REG_SZ /d COM2 /f >/dev/null
    wine_reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v 'Serial2' /t REG_SZ /d COM3 /f >/dev/null
}

# Starts a program of the prefix inside a Wine virtual desktop the size of the
# screen, so that windows have title bars as on Windows.
install_start_in_desktop() {
    local dir=$1 exe=$2
    shift 2
    local loader
    loader=$(wine_loader_for "$E2E_BUILD/package/install.exe")
    (cd "$dir" && exec "$loader" "$INSTALL_EXPLORER" /desktop=velmora,"$(install_screen_size)" "$exe" "$@") \
        >>"$E2E_DIR/desktop.log" 2>&1 &
    E2E_PID=$!
}

# The screen's size, WIDTHxHEIGHT, for a Wine desktop that fills it.
install_screen_size() {
    xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) .*/\1/p'
}

# install_folder_shot UNIX_DIR WINDOWS_FOLDER SHOT: a folder as the user
# opens it in Wine's explorer, in the desktop; then every program of the
# prefix is ended to close it (volatile keys, such as the serial ports, go
# with the wineserver, so prepare the machine after this).
install_folder_shot() {
    install_start_in_desktop "$1" explorer "$2"
    sleep 4 # the folder view fills in
    e2e_screenshot "$3"
    /usr/lib/wine/wineserver -k
    wine_session_start "$E2E_BUILD/tests/e2e/start_desktop.exe"
}

# install_wizard PORT_DOWNS SHOT_PREFIX [UNIX_DIR WINDOWS_EXE]: Welcome, the
# port DOWNS entries below the first, the progress page to "Finish", and
# "No" at the restart prompt; install.exe started from C:\setup unless told.
install_wizard() {
    local downs=$1 shots=$2 group
    install_start_in_desktop "${3:-$WINEPREFIX/drive_c/setup}" "${4:-$INSTALL_SETUP_DIR\\install.exe}"
    e2e_window "$INSTALL_PAGE_WELCOME" 120 >/dev/null
    sleep 0.5
    e2e_screenshot "${shots}1-welcome"
    xdotool key Return
    e2e_window "$INSTALL_PAGE_PORT" >/dev/null
    sleep 0.5
    local i
    xdotool key Tab Tab # from "Next" past "Cancel" to the list
    for i in $(seq "$downs"); do xdotool key Down; done
    sleep 0.2
    e2e_screenshot "${shots}2-port"
    touch "$E2E_DIR/next-pressed"
    sleep 1 # a shortcut saved from now on is newer than the mark
    INSTALL_NEXT_AT=$(date +%s%N)
    xdotool key Return
    e2e_window "$INSTALL_PAGE_PROGRESS" >/dev/null
    # The last step makes the shortcuts; "Finish" follows 200 ms after it.
    group=$(install_program_group)
    for i in $(seq 600); do
        [ "$group/Calibration.lnk" -nt "$E2E_DIR/next-pressed" ] && break
        install_answer_warning Warnning
        sleep 0.05
    done
    INSTALL_STEPS_MS=$(( ($(date +%s%N) - INSTALL_NEXT_AT) / 1000000 ))
    echo "from Next on the port page to the last shortcut saved: ${INSTALL_STEPS_MS} ms (Finish follows 200 ms later)"
    # "Finish" takes the focus as it is enabled; until then Enter would
    # press the focused "Cancel".
    install_press_button "$(sed 's/\\//g' <<<"$INSTALL_PAGE_PROGRESS")" -1003
    sleep 0.3 # painted
    e2e_screenshot "${shots}3-progress"
    xdotool key Return # "Finish", which has the focus
    install_restart_prompt_no "${shots}4-restart-prompt"
    e2e_wait_exit
}

# install_answer_warning TITLE: "OK" on a warning box of that title when one
# shows (a held applet's), as a user who leaves the Control Panel open.
install_answer_warning() {
    [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] || return 0
    echo "warning '$1' answered with OK"
    install_press_button "$1" 1 # IDOK
    local i
    for i in $(seq 20); do
        [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && break
        sleep 0.1
    done
}

# Answers the restart prompt with "No", by its control id: Wine labels the
# buttons in the system's language. A screenshot first when named.
install_restart_prompt_no() {
    e2e_window Message >/dev/null
    sleep 0.3
    [ -n "${1:-}" ] && e2e_screenshot "$1"
    install_press_button Message 7 # IDNO
}

# install_press_button TITLE ID: presses the button with that control id in
# the window with that title, in the Wine desktop the setup runs in (a
# negative id waits for the button to be enabled); a message box's text is
# added to boxes.log. Fails when there was no such button to press.
install_press_button() {
    local exe=$E2E_BUILD/tests/e2e/press_button.exe status=0
    # The log's Windows path, asked of Wine once a scenario.
    : "${_install_boxes_log:=$(e2e_windows_path "$E2E_DIR")\\boxes.log}"
    "$(wine_loader_for "$exe")" "$exe" velmora "$1" "$2" "$_install_boxes_log" \
        >>"$E2E_DIR/press.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] && return 0
    echo "FAIL: no button $2 to press in '$1' (press_button exit $status)" >&2
    return 1
}

# The Start menu's program group folder of the prefix, as a Unix path:
# under INSTALL_PROGRAMS_DIR when a test moved the Programs folder there.
install_program_group() {
    local programs=${INSTALL_PROGRAMS_DIR:-}
    [ -n "$programs" ] ||
        programs=$(find "$WINEPREFIX/drive_c/users" -type d -path '*Start Menu/Programs' | head -n1)
    echo "$programs/Velmora Touchscreen"
}

# The computer restarts: every program ends with the session. Windows 98's
# WININIT then carries out WININIT.INI with 8.3 names only (lib/wininit.py;
# Wine's own restart would find files by their aliases and keep their long
# names), and the next session's start does what NT does with
# PendingFileRenameOperations and runs HKEY_LOCAL_MACHINE's RunOnce
# commands, as Windows does before the logon. The serial ports, volatile
# keys, come back as the hardware gives them.
install_restart() {
    local model=$E2E_ROOT/tests/e2e/lib/wininit.py helper=$E2E_BUILD/tests/e2e/unix_paths.exe
    python3 "$model" plan "$WINEPREFIX/drive_c/windows" "$E2E_DIR/wininit-plan.json" \
        "$(wine_loader_for "$helper")" "$helper"
    /usr/lib/wine/wineserver -k
    python3 "$model" carry "$E2E_DIR/wininit-plan.json"
    wine_session_start "$E2E_BUILD/tests/e2e/start_desktop.exe"
    install_prepare
    if ls "$WINEPREFIX/drive_c/windows" | grep -qix wininit.ini; then
        echo "FAIL: WININIT.INI was not carried out at the restart" >&2
        return 1
    fi
}

# install_check SOURCE_UNIX_DIR PORT: what a complete installation from that
# folder, with that port, must have put in place.
install_check() {
    local source=$1 port=$2 w=$WINEPREFIX/drive_c/windows f group
    local store='HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters'
    e2e_expect_eq "$(e2e_reg_value "$store" Port XMikeyPerPixel MouseMode | paste -sd' ')" \
        "$port 50 4" "Port, XMikeyPerPixel and MouseMode"
    e2e_expect_eq "$(e2e_reg_value 'HKLM\Enum\Root\DravikTouchScreen\0000' Driver)" 'Mouse\0000' \
        "device instance names its slot"
    e2e_expect_eq "$(e2e_reg_value 'HKLM\System\CurrentControlSet\Services\Class\Mouse\0000' DriverDesc)" \
        "Orbalin Serial Touchscreen" "slot 0000"
    e2e_expect_eq "$(e2e_reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce' Orbalin)" \
        'C:\windows\Zentrim.exe' "RunOnce value"
    for f in "$source"/*; do
        cmp -s "$f" "$w/VelmoraScreen/$(basename "$f")" ||
            { echo "FAIL: $(basename "$f") not in the product folder" >&2; return 1; }
    done
    for f in system/kaltex.vxd inf/kaltex.inf Zentrim.exe nilpt.cur; do
        [ -f "$w/$f" ] || { echo "FAIL: $f missing" >&2; return 1; }
    done
    # After Windows 98's restart the applet may have only its 8.3 name, until
    # the next run of install.exe.
    e2e_expect_eq "$(install_applets | wc -l)" 1 "applets in System"
    group=$(install_program_group)
    e2e_expect_eq "$(ls "$group" | sort | tr '\n' ',')" \
        "Calibration.lnk,Handwritting demo.lnk,Readme.lnk,Right Button.lnk,Uninstall Velmora.lnk,Velmora help.lnk," \
        "the six shortcuts"
    # All six read by one program: each Wine start costs a second on a busy host.
    local link target args read windows_group i=0 links=() paths=() expected=()
    windows_group=$(e2e_windows_path "$group")
    while IFS=: read -r link target args; do
        links+=("$link")
        paths+=("$windows_group\\$link.lnk")
        expected+=("C:\windows\VelmoraScreen\\$target|$args|C:\windows\VelmoraScreen")
    done <<'LINKS'
Velmora help:Velmora.hlp:
Uninstall Velmora:install.exe:/u
Readme:brevin.txt:
Right Button:lokrit.exe:
Handwritting demo:Scrivel.exe:
Calibration:Zentrim.exe:
LINKS
    mapfile -t read < <("$(wine_loader_for "$E2E_BUILD/tests/e2e/read_link.exe")" \
        "$E2E_BUILD/tests/e2e/read_link.exe" "${paths[@]}" | tr -d '\r')
    for link in "${links[@]}"; do
        e2e_expect_eq "${read[3 * i]}|${read[3 * i + 1]}|${read[3 * i + 2]}" "${expected[i]}" \
            "shortcut $link"
        i=$((i + 1))
    done
}

# The files in System named as the applet, long or 8.3 (QUINPA~1.CPL, or
# Wine's QUIN~XXX.CPL), one a line.
install_applets() {
    ls "$WINEPREFIX/drive_c/windows/system" | grep -i '^quin' || true
}

# install_check_uninstalled PORT GROUP: what an uninstallation from the
# product folder leaves. Removed: the device entry and its slot, the driver
# files, the applet, the calibrator's copy, the program group, the product
# folder's files but the running setup program. Kept: the parameter store
# (its "Port" as given) and the cursor.
install_check_uninstalled() {
    local port=$1 group=$2 w=$WINEPREFIX/drive_c/windows f
    e2e_expect_eq "$(e2e_reg_value 'HKLM\Enum\Root\DravikTouchScreen\0000' Driver)" "" "device entry removed"
    e2e_expect_eq "$(e2e_reg_value 'HKLM\System\CurrentControlSet\Services\Class\Mouse\0000' DriverDesc)" "" \
        "class slot removed"
    for f in system/kaltex.vxd inf/kaltex.inf Zentrim.exe; do
        [ ! -e "$w/$f" ] || { echo "FAIL: $f left" >&2; return 1; }
    done
    e2e_expect_eq "$(install_applets)" "" "the applet gone under either name"
    [ ! -e "$group" ] || { echo "FAIL: program group left" >&2; return 1; }
    e2e_expect_eq "$(ls "$w/VelmoraScreen")" "install.exe" "the product folder keeps only the running program"
    e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" Port)" "$port" "Port is kept"
    [ -f "$w/nilpt.cur" ] || { echo "FAIL: the cursor should stay" >&2; return 1; }
}

# What an installation put in place, for the log and for a reader of tools/run.
install_report() {
    echo "== driver parameter store"
    wine_reg query 'HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters' | sed -n 's/^ \+/  /p'
    echo "== device registration"
    wine_reg query 'HKLM\System\CurrentControlSet\Services\Class\Mouse' /s | sed -n 's/^ \+/  /p;s/^HKEY/ HKEY/p'
    wine_reg query 'HKLM\Enum\Root\DravikTouchScreen\0000' | sed -n 's/^ \+/  /p'
    echo "== hand-off to the calibrator"
    wine_reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce' | sed -n 's/^ \+/  /p'
    echo "== files"
    local w=$WINEPREFIX/drive_c/windows
    (cd "$w" && ls -l VelmoraScreen system/kaltex.vxd system/quinpad1.0.cpl inf/kaltex.inf Zentrim.exe nilpt.cur 2>&1 | sed 's/^/  /')
    echo "== shortcuts"
    ls -1 "$(install_program_group)" 2>&1 | sed 's/^/  /'
}

# install_uninstall UNIX_DIR WINDOWS_EXE [SHOT_PREFIX]: "install.exe /u" started
# in that folder (in a Wine desktop), confirmed, and "No" at the restart
# offer. Screenshots of the confirmation and the result when named.
install_uninstall() {
    local dir=$1 exe=$2 shots=${3:-} i
    install_start_in_desktop "$dir" "$exe" /u
    e2e_window Message >/dev/null
    sleep 0.3
    [ -n "$shots" ] && e2e_screenshot "${shots}confirm"
    local pressed
    pressed=$(date +%s%N)
    install_press_button Message 6 # IDYES
    # The result box has the same title: wait for the removal to have run.
    for i in $(seq 100); do
        [ ! -f "$WINEPREFIX/drive_c/windows/Zentrim.exe" ] &&
            [ -n "$(xdotool search --onlyvisible --name '^Message$' 2>/dev/null)" ] && break
        install_answer_warning Warning
        sleep 0.1
    done
    echo "from Yes at the confirmation to the result: $(( ($(date +%s%N) - pressed) / 1000000 )) ms"
    sleep 0.3
    install_restart_prompt_no "${shots:+${shots}result}"
    e2e_wait_exit
}
