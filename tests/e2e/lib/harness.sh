# The e2e harness: a fresh Wine prefix on its own Xvfb screen, the driver's
# control device as a watched file, screenshots, and small helpers for
# driving windows with xdotool. Sourced by every e2e test.
#
# Environment from ctest: E2E_ROOT (source tree), E2E_BUILD (the Windows build
# tree), E2E_SHOTS (where screenshots go).
set -euo pipefail
source "$E2E_ROOT/tools/lib/wine.sh"
# Wine's error messages on, to the programs' logs, which a failure prints
# (E2E_WINEDEBUG for more).
export WINEDEBUG=${E2E_WINEDEBUG:-fixme-all}
wine_env

_e2e_pids=()
_e2e_locked=()

_e2e_cleanup() {
    local status=$?
    # Windows and pixels seen after the test's own X server ended were
    # another test's: say so (its own output is in xvfb.log).
    if [ -n "${_e2e_xvfb:-}" ] && ! kill -0 "$_e2e_xvfb" 2>/dev/null; then
        echo "FAIL: this test's X server ($DISPLAY) ended before the test did; see $E2E_DIR/xvfb.log" >&2
        status=1
    fi
    local failures
    for failures in device-unpaired not-started; do
        if [ -s "${E2E_DIR:-/nonexistent}/$failures" ]; then
            echo "FAIL: $failures:" >&2
            cat "$E2E_DIR/$failures" >&2
            status=1
        fi
    done
    # A failure shows what the programs printed (a crash, a missing DLL):
    # CI keeps only this output.
    local log
    if [ "$status" -ne 0 ] && [ -n "${E2E_DIR:-}" ]; then
        for log in "$E2E_DIR"/*.log; do
            [ -s "$log" ] && { echo "--- the end of $(basename "$log"):"; tail -n 15 "$log"; } >&2
        done
    fi
    [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -f "${E2E_DIR:-/nonexistent}/began" ] && ! wine_shared_written "$WINEPREFIX" "$E2E_DIR/began"; then
        status=1
    fi
    local p
    # The X server goes whole before another test's may pick a display: one
    # still going holds its sockets, and its last act removes the socket
    # file of the number it had, which a new server may have taken by then.
    if [ -n "${_e2e_xvfb:-}" ]; then
        exec 9>"$E2E_BUILD/e2e-work/xvfb.lock"
        flock 9
        kill "$_e2e_xvfb" 2>/dev/null || true
        wait "$_e2e_xvfb" 2>/dev/null || true
        exec 9>&-
    fi
    for p in "${_e2e_pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${_e2e_locked[@]}"; do e2e_writable "$p"; done
    wait 2>/dev/null || true
    # A test that passed leaves only its logs when asked to (ctest does); a
    # failed one keeps its prefix for a look.
    if [ "$status" -eq 0 ] && [ -n "${E2E_REMOVE_PASSED_PREFIX:-}" ] && [ -n "${E2E_DIR:-}" ]; then
        rm -rf "$E2E_DIR/prefix"
    fi
    exit $status
}

# What a test returns when it ran but could not make one of its checks here:
# ctest counts it as skipped, not passed.
E2E_SKIPPED=77

# e2e_read_only DIR: the folder and its files become read-only media, as a
# write-protected floppy is. Unix permissions alone do not stop root, which
# Wine then runs as: for root the files are made immutable too. False, with
# the reason in E2E_SKIP_REASON, where the file system cannot do that.
e2e_read_only() {
    chmod -R a-w "$1"
    _e2e_locked+=("$1")
    [ "$(id -u)" -ne 0 ] && return 0
    chattr -R +i "$1" 2>/dev/null && return 0
    E2E_SKIP_REASON="$1 cannot be made immutable on this file system, so as root the media stay writable"
    return 1
}

# e2e_writable DIR: the folder and its files writable again.
e2e_writable() {
    chattr -R -i "$1" 2>/dev/null || true
    chmod -R u+w "$1"
}

# e2e_begin NAME [WIDTHxHEIGHT [LOCALE]]: a fresh prefix, a screen of that
# size (1024x768 unless told), a persistent wineserver. With a locale (such
# as zh_CN.UTF-8) the prefix is made in it and every program runs in it.
e2e_begin() {
    E2E_NAME=$1
    local size=${2:-1024x768} locale=${3:-}
    if [ -n "$locale" ]; then
        export LANG=$locale LC_ALL=$locale
    fi
    E2E_DIR=$E2E_BUILD/e2e-work/$E2E_NAME
    E2E_SHOT_DIR=$E2E_SHOTS/$E2E_NAME
    [ -d "$E2E_DIR" ] && e2e_writable "$E2E_DIR" # a run that ended with media locked
    rm -rf "$E2E_DIR" "$E2E_SHOT_DIR"
    mkdir -p "$E2E_DIR" "$E2E_SHOT_DIR"
    trap _e2e_cleanup EXIT
    # A step that fails without a word (its output sent away) still names
    # itself: the log then says where the test stopped.
    trap 'echo "e2e $E2E_NAME: stopped at line $LINENO, exit $?: $BASH_COMMAND" >&2' ERR

    # A prefix made once by wineboot and never run in, copied: as fresh as a
    # new one, in a second instead of ten, Wine's DLLs linked, not copied.
    # Unmanaged, as there is no window manager: Wine then does not wait two
    # seconds for X at every window that closes.
    local template=$E2E_BUILD/e2e-work/template-prefix${locale:+-$locale}
    WINEPREFIX=$template wine_prefix_ensure unmanaged
    wine_prefix_clone "$template" "$E2E_DIR/prefix"
    export WINEPREFIX=$E2E_DIR/prefix
    touch "$E2E_DIR/began" # nothing shared with other prefixes may be written from now on

    # One server at a time picks its display, and none while another test's
    # is going (see _e2e_cleanup): a display number whose old server still
    # holds one of its two sockets can be taken with the other, and then
    # lose it ("unable to open display" in the middle of a test). Never
    # reset: by default the server resets when its last client goes, and a
    # program that connects meanwhile gets no display (6 in 300 here, one
    # client starting as another ended): the calibrator at a logon right
    # after the setup ended then had no window, and no test could tell why.
    exec 9>"$E2E_BUILD/e2e-work/xvfb.lock"
    flock 9
    Xvfb -displayfd 7 -screen 0 "${size}x24" -nolisten tcp -noreset 7>"$E2E_DIR/display" 9>&- \
        >"$E2E_DIR/xvfb.log" 2>&1 &
    _e2e_xvfb=$!
    _e2e_pids+=($!)
    local i
    for i in $(seq 100); do [ -s "$E2E_DIR/display" ] && break; sleep 0.1; done
    exec 9>&-
    export DISPLAY=:$(head -n1 "$E2E_DIR/display")
    wine_session_start "$E2E_BUILD/tests/e2e/start_desktop.exe"
    echo "e2e $E2E_NAME: prefix $WINEPREFIX, display $DISPLAY ($size)"
}

# Runs a Windows program in the prefix in the background; its pid in E2E_PID.
e2e_start() {
    local exe=$1
    shift
    (cd "$(dirname "$exe")" && exec "$(wine_loader_for "$exe")" "$exe" "$@") \
        >>"$E2E_DIR/$(basename "$exe").log" 2>&1 &
    E2E_PID=$!
}

# Every wait below gives up after 60 seconds unless told: several
# scenarios share the cores, and a wait that succeeds costs only its wait.

# e2e_wait_exit [SECONDS]: waits for the program started last to end.
e2e_wait_exit() {
    local limit=${1:-60} i
    for i in $(seq $((limit * 10))); do
        kill -0 "$E2E_PID" 2>/dev/null || { wait "$E2E_PID" || true; return 0; }
        sleep 0.1
    done
    echo "program $E2E_PID still running after ${limit}s" >&2
    return 1
}

# _e2e_find_window --name|--classname PATTERN SECONDS: the X window id of the
# first visible window that matches, waiting for it to appear.
_e2e_find_window() {
    local by=$1 name=$2 limit=$3 i id
    for i in $(seq $((limit * 10))); do
        id=$(xdotool search --onlyvisible "$by" "^${name}\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window ($by) '$name' after ${limit}s" >&2
    return 1
}

# e2e_window NAME [SECONDS]: a visible window with that title.
e2e_window() {
    _e2e_find_window --name "$1" "${2:-60}"
}

# e2e_click X Y: the pointer moves there and the left button is clicked.
e2e_click() {
    xdotool mousemove "$1" "$2" click 1
}

# e2e_click_in WINDOW X Y: a click at a position relative to a window.
e2e_click_in() {
    local geo x y
    geo=$(xdotool getwindowgeometry --shell "$1")
    x=$(sed -n 's/^X=//p' <<<"$geo")
    y=$(sed -n 's/^Y=//p' <<<"$geo")
    e2e_click $((x + $2)) $((y + $3))
}

e2e_screenshot() {
    import -window root "$E2E_SHOT_DIR/$1.png"
}

# The driver's control device: a plain file that \\.\Kestrune opens. Every
# reload request is one open and one close of it, counted from outside.
e2e_control_device() {
    : >"$E2E_DIR/kestrune"
    ln -sfn "$E2E_DIR/kestrune" "$WINEPREFIX/dosdevices/kestrune"
    : >"$E2E_DIR/device-events"
    inotifywait -m -q -e open -e close --format '%e' "$E2E_DIR/kestrune" \
        >"$E2E_DIR/device-events" 2>/dev/null &
    _e2e_pids+=($!)
    sleep 0.3 # inotifywait sets its watch after it starts
}

# Reload requests seen so far: opens that were closed again. The driver
# opens its device exclusively, so a handle left open would make every later
# request fail: an open still without its close after two seconds fails the
# test when it ends, however the count is used.
e2e_reload_count() {
    sleep 0.3
    local opens closes i
    for i in $(seq 10); do
        opens=$(grep -c '^OPEN' "$E2E_DIR/device-events" || true)
        closes=$(grep -c '^CLOSE' "$E2E_DIR/device-events" || true)
        [ "$opens" -eq "$closes" ] && break
        sleep 0.2
    done
    [ "$opens" -eq "$closes" ] ||
        echo "FAIL: the control device was opened $opens times and closed $closes times" |
        tee -a "$E2E_DIR/device-unpaired" >&2
    echo "$opens"
}

# e2e_reg_value 'HKLM\Key' Name...: each value's data as reg.exe shows it
# (decimal for a REG_DWORD), one a line, empty when missing; one query of
# the key for all of them. A query that fails for any other reason (reg.exe
# can fail while Wine is busy ending a desktop) is asked again, and after
# five tries each value reads "<reg query failed>".
e2e_reg_value() {
    local key=$1 out status line type data v try name
    shift
    for try in 1 2 3 4 5; do
        status=0
        out=$(wine_tool reg query "$key" 2>&1) || status=$?
        out=$(tr -d '\r' <<<"$out")
        [ "$status" -eq 0 ] && break
        grep -qi 'unable to find' <<<"$out" && { out=; status=0; break; }
        sleep 0.3
    done
    if [ "$status" -ne 0 ]; then
        # Never an empty answer: a check that expects a value gone must not pass.
        echo "reg query $key failed: $out" >&2
        printf '<reg query failed>\n%.0s' "$@"
        return 1
    fi
    for name in "$@"; do
        line=$(grep -i "^    $name    REG_" <<<"$out" | head -n1) || true
        read -r type data <<<"${line:$((8 + ${#name}))}"
        if [ -z "$line" ]; then
            echo
        elif [ "$type" = REG_DWORD ]; then
            v=$((data))
            [ "$v" -ge 2147483648 ] && v=$((v - 4294967296))
            echo "$v"
        else
            echo "$data"
        fi
    done
}

e2e_expect_eq() {
    if [ "$1" != "$2" ]; then
        echo "FAIL: $3: expected '$2', got '$1'" >&2
        return 1
    fi
    echo "ok: $3 = $1"
}

# e2e_window_of CLASSNAME [SECONDS]: a visible window of a program, by the
# X class name Wine gives it (the program's file name, lower case).
e2e_window_of() {
    _e2e_find_window --classname "$1" "${2:-60}"
}

# e2e_key_to CLASSNAME KEY: the key pressed in a program's window, which
# gets the keyboard first, as a window manager gives it to a new window:
# without one, X leaves it where the last program had it.
e2e_key_to() {
    xdotool windowfocus --sync "$(e2e_window_of "$1")" key "$2"
}

# e2e_pixel X Y: the colour of one screen pixel as "r,g,b".
e2e_pixel() {
    python3 "$E2E_ROOT/tests/e2e/lib/screen_pixel.py" "$1" "$2"
}

# e2e_wait_pixel X Y COLOUR [SECONDS]: waits until that pixel shows the colour.
e2e_wait_pixel() {
    local seen
    seen=$(python3 "$E2E_ROOT/tests/e2e/lib/screen_pixel.py" "$1" "$2" "$3" "${4:-60}") && return 0
    echo "pixel $1,$2 never became $3 (is $seen)" >&2
    return 1
}

# The driver parameter store as the setup leaves it, "Port" 1.
E2E_STORE='HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters'
e2e_store_defaults() {
    local pair
    for pair in Port=1 LeftOffset=0 TopOffset=0 SwapXY=0 XMikeyPerPixel=50 YMikeyPerPixel=50 \
        BeepMode=2 BeepFreq=1938 BeepTime=10000 DblClickRegion=25 DragDelay=1 MouseMode=4; do
        wine_reg add "$E2E_STORE" /v "${pair%%=*}" /t REG_DWORD /d "${pair#*=}" /f >/dev/null
    done
}

# The five calibration values in force: LEFT TOP XSCALE YSCALE SWAP.
e2e_store_set() {
    e2e_reg_value "$E2E_STORE" LeftOffset TopOffset XMikeyPerPixel YMikeyPerPixel SwapXY |
        paste -sd' '
}

# e2e_touch FX FY W H: the simulated panel is touched at that pixel; the
# driver puts the pointer where the store's set maps it, and clicks.
e2e_touch() {
    local at
    at=$(python3 "$E2E_ROOT/tests/e2e/lib/panel.py" pointer "$1" "$2" "$3" "$4" $(e2e_store_set))
    echo "touch at $1,$2 lands on $at"
    e2e_click $at
}

# e2e_first_target W H / e2e_second_target W H: waits until that target's
# centre pixel shows yellow, once it is painted.
e2e_first_target() {
    e2e_wait_pixel $(($1 / 10)) $(($2 / 10 - 2)) 255,255,0
}
e2e_second_target() {
    e2e_wait_pixel $(($1 - $1 / 10)) $(($2 - $2 / 10 - 2)) 255,255,0
}

# e2e_press_ok W H: "OK" on the check screen of a W x H calibration.
e2e_press_ok() {
    e2e_click $(($1 / 2 - 105 + 50)) $(($2 / 2 - 30 + 25))
}

# e2e_touch_targets W H [SHOT_SECOND SHOT_CHECK]: with the first target up,
# the panel touches it, then the second; returns on the check screen (the
# hand picture's black frame shows). Screenshots of the second target and the
# check screen when named.
e2e_touch_targets() {
    local w=$1 h=$2
    e2e_touch $((w / 10)) $((h / 10)) "$w" "$h"
    e2e_second_target "$w" "$h"
    [ -n "${3:-}" ] && e2e_screenshot "$3"
    e2e_touch $((w - w / 10)) $((h - h / 10)) "$w" "$h"
    e2e_wait_pixel $((w / 2 - 45)) $((h / 2 - 220)) 0,0,0
    [ -n "${4:-}" ] && e2e_screenshot "$4"
    return 0
}

# e2e_logon: a logon inside the running session, as Windows 98 makes one:
# HKEY_LOCAL_MACHINE's RunOnce first, each command waited for, then the
# per-user RunOnce, each command started and left to run (Q179365: only the
# first key is loaded synchronously); every value deleted before its command
# starts (Q137367). Wine's session start is a boot, and runs the first key
# only (wineboot.c), so a logon before the restart cannot be made with it.
# E2E_PID: the last per-user command started.
e2e_logon() {
    local key name command names helper=$E2E_BUILD/tests/e2e/run_command.exe
    # A command that cannot start is noted there, and fails the test.
    : "${_e2e_not_started:=$(e2e_windows_path "$E2E_DIR")\\not-started}"
    for key in 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'; do
        mapfile -t names < <(wine_reg query "$key" | sed -n 's/^    \(.*\)    REG_[A-Z_]*    .*/\1/p')
        for name in "${names[@]}"; do
            command=$(wine_reg query "$key" /v "$name" | sed -n 's/^    .*    REG_[A-Z_]*    //p')
            wine_reg delete "$key" /v "$name" /f >/dev/null
            echo "logon: $key\\$name: $command"
            e2e_start "$helper" "$command" "$_e2e_not_started"
            [ "${key:0:4}" = HKLM ] && e2e_wait_exit
        done
    done
    return 0
}

# e2e_read_shortcut LINK.lnk: sets SHORTCUT_TARGET, SHORTCUT_ARGS and
# SHORTCUT_DIR (Windows paths) from a shortcut, read through IShellLinkA.
e2e_read_shortcut() {
    local lines
    lines=$("$(wine_loader_for "$E2E_BUILD/tests/e2e/read_link.exe")" \
        "$E2E_BUILD/tests/e2e/read_link.exe" "$(wine_tool winepath -w "$1" 2>/dev/null)" |
        tr -d '\r')
    SHORTCUT_TARGET=$(sed -n 1p <<<"$lines")
    SHORTCUT_ARGS=$(sed -n 2p <<<"$lines")
    SHORTCUT_DIR=$(sed -n 3p <<<"$lines")
    echo "shortcut $(basename "$1"): $SHORTCUT_TARGET $SHORTCUT_ARGS (in $SHORTCUT_DIR)"
}

# The Unix path of a Windows path in the prefix, and the other way round.
e2e_unix_path() {
    wine_tool winepath -u "$1" 2>/dev/null
}
e2e_windows_path() {
    wine_tool winepath -w "$1" 2>/dev/null | tr -d '\r'
}

# e2e_follow_shortcut LINK.lnk: starts what a shortcut names, with its
# arguments, in its working directory, as the shell does on a click.
e2e_follow_shortcut() {
    e2e_read_shortcut "$1"
    local target
    target=$(e2e_unix_path "$SHORTCUT_TARGET")
    (cd "$(e2e_unix_path "$SHORTCUT_DIR")" && exec "$(wine_loader_for "$target")" \
        "$SHORTCUT_TARGET" $SHORTCUT_ARGS) >>"$E2E_DIR/shortcut.log" 2>&1 &
    E2E_PID=$!
}
