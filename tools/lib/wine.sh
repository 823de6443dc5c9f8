# Wine helpers shared by the tools/ commands, the test emulator and the e2e
# harness. Every run uses a private prefix; ~/.wine is never touched.

wine_env() {
    export WINEDEBUG=${WINEDEBUG:--all}
    # No menu entries on the host for the shortcuts the package makes, and no
    # questions about Mono or Gecko while a prefix is created.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
}

# True when this host can run 32-bit Wine: some kernels are built without
# 32-bit support and refuse every 32-bit Linux program, Wine's loader among
# them. VELMORA_WINE_BITS=64 takes this host for one of those, to try that
# path here. WINE32_MISSING_REASON says why it is false.
wine32_works() {
    if [ "${VELMORA_WINE_BITS:-}" = 64 ]; then
        WINE32_MISSING_REASON="VELMORA_WINE_BITS=64 asks for the 64-bit path"
        return 1
    fi
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        WINE32_MISSING_REASON="this host cannot run 32-bit programs, so 32-bit Wine does not start"
        return 1
    fi
}

# The Wine loader for a Windows program, from the machine field of its PE header.
wine_loader_for() {
    local exe=$1 off machine
    off=$(od -An -t u4 -j 60 -N 4 "$exe" | tr -d ' ')
    machine=$(od -An -t x2 -j $((off + 4)) -N 2 "$exe" | tr -d ' ')
    if [ "$machine" = 8664 ]; then
        echo /usr/lib/wine/wine64
    else
        echo /usr/lib/wine/wine
    fi
}

# The loader that runs Wine's own tools (wineboot, reg) in this prefix.
wine_tool_loader() {
    if wine32_works; then echo /usr/lib/wine/wine; else echo /usr/lib/wine/wine64; fi
}

# wine_tool NAME ARGS...: one of Wine's own programs in the prefix (reg,
# winepath, cmd, explorer...), started by its path: by its bare name the
# loader first starts start.exe to find it, a second Wine process that
# costs three times the program's own start.
wine_tool() {
    local name=$1
    shift
    "$(wine_tool_loader)" "C:\\windows\\system32\\$name.exe" "$@"
}

# Wine's Marlett, which draws every caption's buttons: Debian's Wine 8 looks
# for its own fonts at an invalid path ("\??\Z:\usr\share\wine\../fonts") and
# so never finds the ones fonts-wine installs, and draws the close box as the
# letter "r". Wine reads each font in the prefix's Fonts folder at start.
WINE_MARLETT=/usr/share/wine/fonts/marlett.ttf

_wine_prefix_has_marlett() {
    [ ! -f "$WINE_MARLETT" ] || [ -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]
}

# _wine_prefix_reg_add KEY NAME TEXT: a REG_SZ value in a new prefix, with
# reg.exe's own exit status (wine_reg's is that of its filter).
_wine_prefix_reg_add() {
    wine_tool reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 && return 0
    echo "== wineboot did not make $WINEPREFIX: reg.exe cannot write $1" >&2
    return 1
}

# A prefix these tools made carries this file, holding the Wine that made it
# and its architecture; one being made carries the second. Only a folder with
# either is ever deleted.
_WINE_MADE=.velmora-prefix
_WINE_MAKING=.velmora-prefix-making
_WINE_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# 32-bit only where the i686 programs run: half the size, and what they meet
# on Windows 98.
_wine_arch() {
    if wine32_works; then echo win32; else echo win64; fi
}

_wine_prefix_kind() {
    echo "$("$(wine_tool_loader)" --version 2>/dev/null) $(_wine_arch)"
}

# Why $WINEPREFIX must not be made or removed here; nothing when it may.
_wine_prefix_refusal() {
    local path home
    path=$(realpath -m -- "${WINEPREFIX:-/}")
    home=$(realpath -m -- "$HOME/.wine")
    if [ -z "${WINEPREFIX:-}" ] || [ "$path" = / ] || [ "$path" = "$home" ] ||
        [ "$path" = "$(realpath -m -- "$HOME")" ]; then
        echo "it is the user's own Wine prefix or home"
    elif [ -e "$path" ] && [ ! -f "$path/$_WINE_MADE" ] && [ ! -f "$path/$_WINE_MAKING" ] &&
        { [ ! -d "$path" ] || [ -n "$(ls -A "$path")" ]; }; then
        echo "it exists, and these tools did not make it (it has no $_WINE_MADE)"
    fi
}

# The DLLs that every prefix of one Wine shares (tools/lib/wine_share.py).
_wine_shared_store() {
    local kind
    kind=$(_wine_prefix_kind | tr -c 'A-Za-z0-9.\n-' _)
    echo "$_WINE_LIB/../../build/wine-shared/$kind"
}

# Creates $WINEPREFIX once, under a lock, so parallel tests never race on it.
# Wine reports the package's target, Windows 98, in every prefix made here:
# its registry then behaves as Windows 98's (RegDeleteKeyA takes a subtree).
# With "unmanaged", Wine leaves its windows to no window manager: on a bare
# Xvfb it otherwise waits two seconds for one each time a window goes. A
# prefix whose making was cut short (wineboot killed midway leaves one in
# which reg.exe never finishes), or that another Wine made (which would
# rewrite its DLLs in place, shared ones too), or made for the other mode,
# is removed and made again. A
# folder these tools did not make is refused, and left as it is.
wine_prefix_ensure() {
    local kind refusal
    kind="$(_wine_prefix_kind)${1:+ $1}"
    [ "$(cat "$WINEPREFIX/$_WINE_MADE" 2>/dev/null)" = "$kind" ] && _wine_prefix_has_marlett && return 0
    refusal=$(_wine_prefix_refusal)
    if [ -n "$refusal" ]; then
        echo "== refusing to use '$WINEPREFIX' as a Wine prefix: $refusal; nothing was changed" >&2
        return 1
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ "$(cat "$WINEPREFIX/$_WINE_MADE" 2>/dev/null)" != "$kind" ]; then
            if [ -e "$WINEPREFIX/$_WINE_MADE" ] || [ -e "$WINEPREFIX/$_WINE_MAKING" ]; then
                echo "== $WINEPREFIX was not finished, or another Wine or mode made it: making it again"
                /usr/lib/wine/wineserver -k 2>/dev/null || true
                rm -rf "$WINEPREFIX"
            fi
            mkdir -p "$WINEPREFIX"
            : >"$WINEPREFIX/$_WINE_MAKING"
            # Its exit status says little: on a slow machine (qemu without
            # KVM) Wine stops waiting for the boot after some minutes and
            # fails the command (53) while the boot goes on. So wait for every
            # process of the prefix, then judge it by whether reg.exe works.
            WINEARCH=$(_wine_arch) "$(wine_tool_loader)" wineboot -i >/dev/null 2>&1 || true
            /usr/lib/wine/wineserver -w
            if [ "${1:-}" = unmanaged ]; then
                _wine_prefix_reg_add 'HKCU\Software\Wine\X11 Driver' Managed N || exit 1
            fi
            _wine_prefix_reg_add 'HKCU\Software\Wine' Version win98 || exit 1
            /usr/lib/wine/wineserver -w
            python3 "$_WINE_LIB/wine_share.py" share "$WINEPREFIX" "$(_wine_shared_store)"
            echo "$kind" >"$WINEPREFIX/$_WINE_MADE"
            rm -f "$WINEPREFIX/$_WINE_MAKING"
        fi
        if ! _wine_prefix_has_marlett; then
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            cp "$WINE_MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf.new"
            mv "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf.new" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# wine_prefix_copy_of TEMPLATE: $WINEPREFIX as a copy of a prefix made here
# and never run in, unless it is one of this Wine already. As refusing as
# wine_prefix_ensure about what it removes.
wine_prefix_copy_of() {
    local refusal
    [ "$(cat "$WINEPREFIX/$_WINE_MADE" 2>/dev/null)" = "$(_wine_prefix_kind)" ] && return 0
    refusal=$(_wine_prefix_refusal)
    if [ -n "$refusal" ]; then
        echo "== refusing to use '$WINEPREFIX' as a Wine prefix: $refusal; nothing was changed" >&2
        return 1
    fi
    rm -rf "$WINEPREFIX"
    wine_prefix_clone "$1" "$WINEPREFIX"
}

# wine_prefix_clone FROM TO: a copy of a prefix made here, its shared DLLs
# linked, everything Wine or a program may write copied.
wine_prefix_clone() {
    python3 "$_WINE_LIB/wine_share.py" clone "$1" "$2"
}

# wine_shared_written PREFIX STAMP: fails, naming them, when shared DLLs of
# the prefix were written after STAMP: through a link, that writes into
# every prefix.
wine_shared_written() {
    local files
    files=$(python3 "$_WINE_LIB/wine_share.py" written "$1" "$2")
    [ -z "$files" ] && return 0
    echo "FAIL: files shared by every prefix were written in $1:" >&2
    echo "$files" | sed 's/^/  /' >&2
    return 1
}

# wine_windows_version VERSION: what Wine reports from now on in $WINEPREFIX,
# "win98" or "default" (Wine's own, an NT version).
wine_windows_version() {
    if [ "$1" = default ]; then
        wine_reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null
    else
        wine_reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$1" /f >/dev/null
    fi
}

# Runs Wine's reg.exe in the prefix: wine_reg query 'HKLM\...' /v Name
wine_reg() {
    wine_tool reg "$@" 2>/dev/null | tr -d '\r'
}

# Starts a persistent wineserver for $WINEPREFIX and Wine's background
# processes with it, detached from our output: a test whose first Wine
# program started them would otherwise hand them its output pipes, and a
# runner waiting for those to close would wait forever. With a program
# (tests/e2e/start_desktop.exe), the session's desktop is started too and
# waited for.
wine_session_start() {
    /usr/lib/wine/wineserver -p
    wine_tool cmd /c exit </dev/null >/dev/null 2>&1 || true
    [ -n "${1:-}" ] || return 0
    "$(wine_loader_for "$1")" "$1" </dev/null >/dev/null 2>&1 && return 0
    echo "== the Wine session's desktop did not start within a minute" >&2
    return 1
}
