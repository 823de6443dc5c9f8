#!/usr/bin/env bash
# The Wine prefix tools touch only what they made. A folder of the user's,
# given as the prefix in any spelling (~/.wine with a trailing slash too), is
# refused and left as it was, and a missing ~/.wine is not made. A shared DLL
# written in a prefix is reported.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

mkdir -p "$work/home/.wine" "$work/mine"
echo mine >"$work/home/.wine/system.reg"
echo mine >"$work/mine/letter.doc"
for prefix in "$work/mine" "$work/mine/" "$work/home/.wine/" "$work/home/./.wine" "$work/home"; do
    if HOME=$work/home "$root/tools/wine-exec" "$prefix" none.exe 2>"$work/said"; then
        fail "$prefix taken for a prefix"
    fi
    grep -q "refusing to use" "$work/said" || fail "no refusal for $prefix: $(cat "$work/said")"
done
[ "$(cat "$work/mine/letter.doc" "$work/home/.wine/system.reg")" = "$(printf 'mine\nmine')" ] &&
    [ "$(ls -A "$work/mine" "$work/home/.wine" | wc -l)" = 5 ] ||
    fail "a refused folder was changed: $(ls -AR "$work")"
[ ! -e "$work/mine.lock" ] || fail "a lock file was left beside a refused folder"
rm -rf "$work/home/.wine"
HOME=$work/home "$root/tools/wine-exec" "$work/home/.wine" none.exe 2>/dev/null && fail "~/.wine taken"
[ ! -e "$work/home/.wine" ] || fail "~/.wine was made"

# A DLL linked into the store and written afterwards is named.
dll=$work/prefix/drive_c/windows/system32/a.dll
mkdir -p "$(dirname "$dll")"
echo dll >"$dll"
python3 "$root/tools/lib/wine_share.py" share "$work/prefix" "$work/store"
[ "$(stat -c %h "$dll")" = 2 ] || fail "the DLL was not shared"
touch -d 2000-01-01 "$dll"
touch -d 2001-01-01 "$work/stamp"
[ -z "$(python3 "$root/tools/lib/wine_share.py" written "$work/prefix" "$work/stamp")" ] ||
    fail "an unwritten DLL was reported"
echo changed >>"$dll"
[ "$(python3 "$root/tools/lib/wine_share.py" written "$work/prefix" "$work/stamp")" = \
    drive_c/windows/system32/a.dll ] || fail "a written shared DLL was not reported"
exit $status
