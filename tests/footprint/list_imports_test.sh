#!/usr/bin/env bash
# tools/list-imports reads objdump's import tables as binutils 2.40 (Debian
# 12) and 2.44 (Debian 13) print them, alike, and fails on an import line in
# any other layout rather than pass it over.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list=$here/../../tools/list-imports
expected="ADVAPI32.DLL!RegCloseKey ADVAPI32.DLL!RegDeleteValueA ADVAPI32.DLL!RegOpenKeyA
ADVAPI32.DLL!RegOpenKeyExA ADVAPI32.DLL!RegQueryValueExA ADVAPI32.DLL!RegSetValueExA
GDI32.DLL!BitBlt GDI32.DLL!CreateCompatibleDC GDI32.DLL!CreateDCA GDI32.DLL!DeleteDC
GDI32.DLL!DeleteObject GDI32.DLL!GetDeviceCaps GDI32.DLL!GetObjectA GDI32.DLL!GetStockObject
GDI32.DLL!SelectObject GDI32.DLL!SetTextColor"
status=0
for sample in "$here"/objdump-binutils-*.txt; do
    got=$("$list" - <"$sample" | tr '\n' ' ')
    if [ "$got" != "$(echo $expected) " ]; then
        echo "FAIL: $(basename "$sample"): $got"
        status=1
    fi
    # The same table with one import line in a layout not known here.
    if sed '0,/RegOpenKeyA$/s/^\(\t[0-9a-f]*\).*RegOpenKeyA$/\1 by-ordinal 7 <unknown> RegOpenKeyA/' "$sample" |
        "$list" - >/dev/null 2>&1; then
        echo "FAIL: $(basename "$sample"): a line in another layout passed"
        status=1
    fi
done
[ $status = 0 ] && echo "ok: both layouts read alike, another refused"
exit $status
