# The setup wizard driven as a user drives it, with keys, on the harness's
# screen; shared by the e2e tests and tools/run. Sourced after harness.sh.

INSTALL_PAGE_WELCOME='Velmora Touchscreen Setup \(Welcome\)'
INSTALL_PAGE_PORT='Velmora Touchscreen Setup \(TouchScreen Port Selection\)'
INSTALL_PAGE_PROGRESS='Velmora Touchscreen Setup \(Progressing\.\.\.\)'
INSTALL_SETUP_DIR='C:\setup'

# The machine as the package meets it: the package on "a floppy" (C:\setup),
# the Windows 98 "System" folder (a 64-bit prefix has none), and COM1 to COM3.
install_prepare() {
    local windows=$WINEPREFIX/drive_c/windows
    mkdir -p "$WINEPREFIX/drive_c/setup" "$windows/system"
    cp "$1"/* "$WINEPREFIX/drive_c/setup/"
    wine_reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v 'Serial1' /t REG_SZ /d COM2 /f >/dev/null
    wine_reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v 'Serial2' /t REG_SZ /d COM3 /f >/dev/null
}

# Starts a program of the prefix inside a Wine virtual desktop the size of the
# screen, so that windows have title bars as on Windows.
install_start_in_desktop() {
    local dir=$1 exe=$2
    shift 2
    local size loader
    size=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) .*/\1/p')
    loader=$(wine_loader_for "$E2E_BUILD/package/install.exe")
    (cd "$dir" && exec "$loader" explorer /desktop=velmora,"$size" "$exe" "$@") \
        >>"$E2E_DIR/desktop.log" 2>&1 &
    E2E_PID=$!
}

# install_wizard PORT_DOWNS SHOT_PREFIX: Welcome, the port DOWNS entries below
# the first, the progress page to "Finish", and "No" at the restart prompt.
install_wizard() {
    local downs=$1 shots=$2 group
    install_start_in_desktop "$WINEPREFIX/drive_c/setup" "$INSTALL_SETUP_DIR\\install.exe"
    e2e_window "$INSTALL_PAGE_WELCOME" 60 >/dev/null
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
        sleep 0.05
    done
    INSTALL_STEPS_MS=$(( ($(date +%s%N) - INSTALL_NEXT_AT) / 1000000 ))
    echo "from Next on the port page to the last shortcut saved: ${INSTALL_STEPS_MS} ms (Finish follows 200 ms later)"
    # "Finish" takes the focus 200 ms later; until then Enter would press
    # the focused "Cancel". Room for a loaded machine:
    sleep 1.5
    e2e_screenshot "${shots}3-progress"
    xdotool key Return # "Finish", which has the focus
    e2e_window Message >/dev/null
    sleep 0.3
    e2e_screenshot "${shots}4-restart-prompt"
    xdotool key n
    e2e_wait_exit 30
}

# The Start menu's program group folder of the prefix, as a Unix path.
install_program_group() {
    local programs
    programs=$(find "$WINEPREFIX/drive_c/users" -type d -path '*Start Menu/Programs' | head -n1)
    echo "$programs/Velmora Touchscreen"
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
    xdotool key y
    # The result box has the same title: wait for the removal to have run.
    for i in $(seq 100); do
        [ ! -f "$WINEPREFIX/drive_c/windows/Zentrim.exe" ] &&
            [ -n "$(xdotool search --onlyvisible --name '^Message$' 2>/dev/null)" ] && break
        sleep 0.1
    done
    sleep 0.3
    [ -n "$shots" ] && e2e_screenshot "${shots}result"
    xdotool key n
    e2e_wait_exit 30
}
