#!/usr/bin/env bash
# Zentrim from the package, started as Windows starts it from the RunOnce
# value at a logon, calibrated by a simulated panel that is offset, not
# nominally scaled and mirrored in x; then every target touch must land on
# its target.
source "$E2E_ROOT/tests/e2e/lib/harness.sh"
W=1024 H=768
e2e_begin calibrator ${W}x${H}
e2e_control_device
e2e_store_defaults
wine_reg add 'HKLM\System\CurrentControlSet\Services\DravikTouchScreen\Parameters' \
    /v BeepMode /t REG_DWORD /d 3 /f >/dev/null
windows=$WINEPREFIX/drive_c/windows
cp "$E2E_BUILD/package/Zentrim.exe" "$windows/Zentrim.exe"
wine_reg add 'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce' /v Orbalin /t REG_SZ \
    /d 'C:\windows\Zentrim.exe' /f >/dev/null

started=$(date +%s%N)
e2e_logon
e2e_window_of zentrim.exe >/dev/null
e2e_first_target $W $H
echo "first target painted $(( ($(date +%s%N) - started) / 1000000 )) ms after start"
e2e_screenshot 1-first-target
e2e_expect_eq "$(e2e_reload_count)" 3 "reload requests at creation"
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" BeepMode)" 2 "beep mode while calibrating"

e2e_touch_targets $W $H 2-second-target 3-check-screen
e2e_expect_eq "$(e2e_reload_count)" 4 "opens after entering the check screen"

read -r left top xs ys swap <<<"$(e2e_store_set)"
echo "calibrated: LeftOffset $left TopOffset $top XMikeyPerPixel $xs YMikeyPerPixel $ys SwapXY $swap"
e2e_expect_eq "$swap" 1 "x mirrored, y not"
panel=$E2E_ROOT/tests/e2e/lib/panel.py
bx=$(python3 "$panel" bound "$xs" $W)
by=$(python3 "$panel" bound "$ys" $H)
for target in "$((W / 10)) $((H / 10))" "$((W - W / 10)) $((H - H / 10))"; do
    read -r tx ty <<<"$target"
    read -r px py <<<"$(python3 "$panel" pointer $tx $ty $W $H $left $top $xs $ys $swap)"
    dx=$((px > tx ? px - tx : tx - px))
    dy=$((py > ty ? py - ty : ty - py))
    echo "touch on target $tx,$ty now lands on $px,$py: off by $dx,$dy (bound $bx,$by)"
    [ "$dx" -le "$bx" ] && [ "$dy" -le "$by" ] || { echo "FAIL: outside the bound" >&2; exit 1; }
done

e2e_press_ok $W $H
e2e_wait_exit
e2e_expect_eq "$(e2e_reload_count)" 6 "opens after the window ended"
e2e_expect_eq "$(e2e_reg_value "$E2E_STORE" BeepMode)" 3 "beep mode restored"
e2e_expect_eq "$(e2e_store_set)" "$left $top $xs $ys $swap" "calibration kept after OK"
