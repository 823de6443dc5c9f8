# Installs what the build and the tests need, once; quick when all is there.
# Sourced by the tools/ commands.

# What a minimal Debian 12 or 13 (debootstrap --variant=minbase) lacks for the
# build and every test tier. Installed without recommends, so each package a
# tool here runs from is named, not left to a recommendation: clang's
# sanitizer and libFuzzer runtime (libclang-rt-dev), chattr (e2fsprogs, no
# longer required on Debian 13), and 32-bit Wine's XInput2 (libxi6:i386, only
# recommended by wine32): without it Debian 13's Wine 10 refuses each cursor
# clip for a window that covers the display and at once tries again, so the
# setup's backdrop, run outside a Wine desktop, never gets its timer message.
VELMORA_PACKAGES=(
    cmake ninja-build make g++ python3 googletest libgtest-dev clang libclang-rt-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386 libxi6:i386 fonts-wine
    xvfb xauth xdotool x11-utils imagemagick inotify-tools
    mtools zip locales fonts-wqy-microhei e2fsprogs
)

# Sets AS_ROOT to what runs a command as root here (nothing for root, sudo
# where there is one); without either, says what root must run and stops.
_as_root_or_explain() {
    AS_ROOT=()
    [ "$(id -u)" -eq 0 ] && return 0
    if command -v sudo >/dev/null 2>&1; then
        AS_ROOT=(sudo)
        return 0
    fi
    echo "== this needs root once, and there is no sudo here. As root, run:" >&2
    printf '    %s\n' "$@" >&2
    echo "== then run this command again." >&2
    exit 1
}

# The Chinese locale the code-page 936 tests run Wine in.
ensure_chinese_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
    _as_root_or_explain "localedef -i zh_CN -f UTF-8 zh_CN.UTF-8"
    echo "== generating the zh_CN.UTF-8 locale"
    "${AS_ROOT[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

# apt's machine-readable status lines become one line per stage and tenth.
_apt_progress() {
    local kind percent stage last= now
    while IFS=: read -r kind _ percent _; do
        case $kind in
        dlstatus) stage=downloading ;;
        pmstatus) stage=installing ;;
        *) continue ;;
        esac
        percent=${percent%%.*}
        now="$stage $((${percent:-0} / 10 * 10))%"
        [ "$now" = "$last" ] || echo "== apt: $now"
        last=$now
    done
}

ensure_packages() {
    local missing=() p
    for p in "${VELMORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    _as_root_or_explain "dpkg --add-architecture i386" "apt-get update" \
        "apt-get install --no-install-recommends ${missing[*]}"
    echo "== installing ${#missing[@]} packages: ${missing[*]}"
    local began=$SECONDS
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${AS_ROOT[@]}" dpkg --add-architecture i386
    fi
    echo "== apt: reading the package lists"
    # One index that fails (a mirror caught mid-sync, a source whose key has
    # expired) fails the update, though apt goes on with the lists it has:
    # the installation may well succeed without it, so it is tried all the same.
    local lists_read=1
    "${AS_ROOT[@]}" apt-get update -qq || lists_read=0
    # Its errors still reach the terminal; its progress comes as status lines.
    if ! "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends -o APT::Status-Fd=1 "${missing[@]}" | _apt_progress; then
        [ "$lists_read" = 1 ] ||
            echo "== apt could not read all package lists, and the installation failed: the error above names the source that failed" >&2
        exit 1
    fi
    echo "== apt: done in $((SECONDS - began)) s"
}
