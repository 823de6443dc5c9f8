# Configures and builds the trees the tools/ commands share. Sourced.
# Sets WIN_TEST_PRESET: the Windows tree whose tests run under Wine here.

configure_and_build() {
    local preset=$1
    shift
    cmake --preset "$preset" -Wno-dev "$@" >"$VELMORA_ROOT/build/configure-$preset.log" 2>&1 ||
        { cat "$VELMORA_ROOT/build/configure-$preset.log"; return 1; }
    cmake --build --preset "$preset" -j "$(nproc)"
}

# The vendor's files (VELMORA_VENDOR_DIR, made absolute into VENDOR_DIR), or
# placeholders when none are named: every tree follows what this run was given.
vendor_files() {
    VENDOR_DIR=
    if [ -n "${VELMORA_VENDOR_DIR:-}" ]; then
        VENDOR_DIR=$(cd "$VELMORA_VENDOR_DIR" 2>/dev/null && pwd) ||
            { echo "== VELMORA_VENDOR_DIR: no folder $VELMORA_VENDOR_DIR" >&2; return 1; }
        echo "== the vendor's files from $VENDOR_DIR"
    else
        echo "== placeholders stand in for the vendor's files (tools/build --vendor DIR for the real package)"
    fi
}

# Which Windows tree the Wine tiers run (WIN_TEST_PRESET): the shipped i686
# build where the kernel runs 32-bit programs, else the same sources built
# as x86_64 programs. Says which, and why.
choose_wine_tree() {
    if wine32_works; then
        WIN_TEST_PRESET=win32
        echo "== the Wine tiers run the i686 build, the package as shipped: this host runs 32-bit Wine"
    else
        WIN_TEST_PRESET=win64
        echo "== the Wine tiers run the x86_64 build of the same sources: ${WINE32_MISSING_REASON}"
    fi
}

# The shipped programs, 32-bit (build/win32). TESTS: ON builds the test
# programs too; a tree configured with its tests keeps them otherwise, so
# that tools/build and tools/test do not rebuild back and forth.
build_windows_side() {
    local tests=$1
    shift
    [ -n "${VENDOR_DIR+set}" ] || vendor_files || return 1
    grep -qx 'VELMORA_TESTS:BOOL=ON' "$VELMORA_ROOT/build/win32/CMakeCache.txt" 2>/dev/null && tests=ON
    timed "configure and build win32" configure_and_build win32 -DVELMORA_TESTS="$tests" \
        -DVELMORA_VENDOR_DIR="$VENDOR_DIR" "$@"
}

# timed WHAT COMMAND...: runs the command, then says how long it took.
timed() {
    local what=$1 started=$SECONDS status=0
    shift
    "$@" || status=$?
    echo "== $what: $((SECONDS - started)) s"
    return $status
}
