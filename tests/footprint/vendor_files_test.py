#!/usr/bin/env python3
"""tools/vendor-files takes each vendor file only when it is of its kind."""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

TOOL = Path(__file__).resolve().parents[2] / "tools" / "vendor-files"
REAL_PROGRAM = Path(sys.argv[1]).read_bytes()  # a real 32-bit Windows program


def mz(new_header):
    return b"MZ" + bytes(0x3A) + struct.pack("<I", 0x40) + new_header


def pe(machine, flags):
    return mz(b"PE\0\0" + struct.pack("<HHIIIHH", machine, 1, 0, 0, 0, 0xE0, flags))


GOOD = {
    "kaltex.vxd": mz(b"LE\0\0" + bytes(64)),
    "quinpad1.0.cpl": pe(0x14C, 0x2102),
    "Velmora.hlp": struct.pack("<I", 0x00035F3F) + bytes(12),
    "lokrit.exe": REAL_PROGRAM,
    "Scrivel.exe": pe(0x14C, 0x0102),
}
TEXT = b"PLACEHOLDER: the vendor replaces this file.\r\n"
# (what, file, contents): each must be refused, naming that file.
BAD = [(f"a text file as {name}", name, TEXT) for name in GOOD] + [
    ("a PE as the driver", "kaltex.vxd", REAL_PROGRAM),
    ("a program as the applet", "quinpad1.0.cpl", REAL_PROGRAM),
    ("a DLL as a program", "lokrit.exe", pe(0x14C, 0x2102)),
    ("a 64-bit program", "Scrivel.exe", pe(0x8664, 0x0022)),
    ("an MZ header pointing past the end", "lokrit.exe", b"MZ" + bytes(0x3A) + b"\xff\xff\0\0"),
    ("a missing file", "Velmora.hlp", None),
]


def run(files):
    with tempfile.TemporaryDirectory() as folder:
        for name, data in files.items():
            if data is not None:
                (Path(folder) / name).write_bytes(data)
        done = subprocess.run([str(TOOL), folder], capture_output=True, text=True)
        return done.returncode, done.stderr


failures = 0
status, errors = run(GOOD)
if status != 0:
    print(f"FAIL: the real kinds refused: {errors}")
    failures += 1
for what, name, data in BAD:
    status, errors = run({**GOOD, name: data})
    named = [line for line in errors.splitlines() if f"/{name}:" in line]
    if status != 1 or len(named) != 1 or len(errors.splitlines()) != 1:
        print(f"FAIL: {what}: exit {status}, {errors!r}")
        failures += 1
    else:
        print(f"ok: {what}: {named[0]}")
sys.exit(1 if failures else 0)
