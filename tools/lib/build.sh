# Configures and builds the trees the tools/ commands share. Sourced.
# Sets WIN_TEST_PRESET: the Windows tree whose tests run under Wine here.

configure_and_build() {
    local preset=$1
    shift
    cmake --preset "$preset" -Wno-dev "$@" >"$VELMORA_ROOT/build/configure-$preset.log" 2>&1 ||
        { cat "$VELMORA_ROOT/build/configure-$preset.log"; return 1; }
    cmake --build --preset "$preset" -j "$(nproc)"
}

# The shipped programs are 32-bit. Where this host cannot run 32-bit Wine,
# the Wine tiers run the same sources built as 64-bit Windows programs.
build_windows_side() {
    local tests=$1
    shift
    if wine32_works; then
        WIN_TEST_PRESET=win32
        configure_and_build win32 -DVELMORA_TESTS="$tests" "$@"
    else
        WIN_TEST_PRESET=win64
        configure_and_build win32 -DVELMORA_TESTS=OFF "$@"
        if [ "$tests" = ON ]; then
            echo "== this host cannot run 32-bit Wine: the Wine tiers run the 64-bit build"
            configure_and_build win64 -DVELMORA_TESTS=ON "$@"
        fi
    fi
}
