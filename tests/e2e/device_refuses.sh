#!/usr/bin/env bash
# Bad input: the driver's control device exists but refuses to open (it
# names a folder). Every reload request is skipped silently; the
# calibration still runs to its end and is stored.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
W=800 H=600
e2e_begin device-refuses ${W}x${H}
mkdir -p "$E2E_DIR/a-folder"
ln -sfn "$E2E_DIR/a-folder" "$WINEPREFIX/dosdevices/kestrune"
e2e_store_defaults
e2e_start "$E2E_BUILD/package/Zentrim.exe"
e2e_first_target $W $H
e2e_screenshot 1-first-target
e2e_touch_targets $W $H
e2e_press_ok $W $H
e2e_wait_exit
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" SwapXY)" 1 "calibration stored without a driver to tell"
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" BeepMode)" 2 "beep mode restored"
grep -qi 'exception\|crash' "$E2E_DIR/Zentrim.exe.log" && { echo "FAIL: Zentrim crashed" >&2; exit 1; }
echo "device refusing to open: handled"
