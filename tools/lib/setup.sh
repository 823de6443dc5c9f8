# Installs what the build and the tests need, once; quick when all is there.
# Sourced by the tools/ commands.

VELMORA_PACKAGES=(
    cmake ninja-build make g++ python3 googletest libgtest-dev clang
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386 fonts-wine
    xvfb xauth xdotool x11-utils imagemagick inotify-tools
    mtools zip locales fonts-wqy-microhei
)

# The Chinese locale the code-page 936 tests run Wine in.
ensure_chinese_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

ensure_packages() {
    local missing=() p
    for p in "${VELMORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}
