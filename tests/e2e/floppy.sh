#!/usr/bin/env bash
# The package as its users get it: the floppy image's files, taken out with
# mtools, as drive A:, write-protected. A complete installation started as
# "A:\install.exe", then a second one over it; with the floppy writable,
# "A:\install.exe /u" removes the product folder and leaves every file of
# the floppy as it was.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
source "$E2E_ROOT/tests/e2e/lib/install_flow.sh"
e2e_begin floppy 1024x768
floppy=$E2E_DIR/floppy
mkdir -p "$floppy"
mcopy -i "$E2E_FLOPPY_IMAGE" -n -m '::*' "$floppy/"
e2e_expect_eq "$(ls "$floppy" | tr '\n' ' ')" "$(ls "$E2E_BUILD/package" | tr '\n' ' ')" "the floppy's files"
for f in "$E2E_BUILD"/package/*; do
    cmp -s "$f" "$floppy/$(basename "$f")" || { echo "FAIL: $(basename "$f") differs on the floppy" >&2; exit 1; }
done
e2e_expect_eq "$(mlabel -i "$E2E_FLOPPY_IMAGE" -s :: | tr -d ' ')" "Volumelabelis$E2E_VOLUME_LABEL" "the volume label"
protected=1
e2e_read_only "$floppy" || protected=0
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"
product=$WINEPREFIX/drive_c/windows/VelmoraScreen

if [ $protected = 1 ] && touch "$floppy/probe" 2>/dev/null; then
    echo "FAIL: the floppy is writable" >&2
    exit 1
fi

# The floppy as the user opens it, then a complete installation from it.
install_folder_shot "$floppy" 'A:\' 0-floppy-a
install_prepare
install_wizard 0 "" "$floppy" 'A:\install.exe'
install_check "$floppy" 1
e2e_expect_eq "$(stat -c %A "$product/install.exe" | cut -c3)" - \
    "a copy from the write-protected floppy is read-only, as the floppy's file"

# A second installation over the first, from the same write-protected floppy.
install_wizard 1 "second-" "$floppy" 'A:\install.exe'
install_check "$floppy" 2

# Uninstallation from the floppy, writable now: every file of it stays.
e2e_writable "$floppy"
before=$(cd "$floppy" && md5sum * | sort)
install_uninstall "$floppy" 'A:\install.exe' uninstall-
e2e_expect_eq "$(cd "$floppy" && md5sum * | sort)" "$before" "every file of the floppy"
[ ! -e "$product" ] || { echo "FAIL: the product folder is left: $(ls "$product")" >&2; exit 1; }
echo "ok: the product folder is gone"
if [ $protected = 0 ]; then
    echo "skipped: the installation from write-protected media: $E2E_SKIP_REASON" >&2
    exit $E2E_SKIPPED
fi
