#!/usr/bin/env python3
"""The DLLs of Wine prefixes, kept once on disk.

A Wine prefix copies each of Wine's DLLs and programs into its Windows and
Program Files folders (system32, syswow64, winsxs...): some 580 MB for 32-bit
Wine, 1.3 GB for 64-bit, the same bytes in every prefix the same Wine made.
They are hard links into one store instead.

  wine_share.py share PREFIX STORE   a new prefix's such files become links
                                     into the store (the first one fills it)
  wine_share.py clone FROM TO        a copy of a prefix: the files linked into
                                     the store are linked, all others copied
  wine_share.py written PREFIX STAMP the linked files written since STAMP was,
                                     one a line: none may ever be

Only Wine's own binaries are shared: what a program or Wine writes later (the
registry, .ini files, the package's own files) is copied. Wine writes over a
DLL of a prefix only when it updates the prefix for another Wine version, and
the tools remake a prefix instead (tools/lib/wine.sh).
"""
import os
import shutil
import sys

SHARED_DIRS = ("drive_c/windows", "drive_c/Program Files", "drive_c/Program Files (x86)")
SHARED_KINDS = (".dll", ".exe", ".drv", ".sys", ".nls", ".ocx", ".cpl", ".acm", ".tlb",
                ".ax", ".ds", ".msstyles", ".vxd", ".com")


def candidates(prefix):
    """Relative paths of the files of a prefix that may be shared."""
    for top in SHARED_DIRS:
        for folder, _, names in os.walk(os.path.join(prefix, top)):
            for name in names:
                path = os.path.join(folder, name)
                if (name.lower().endswith(SHARED_KINDS) and not os.path.islink(path)
                        and os.path.isfile(path)):
                    yield os.path.relpath(path, prefix)


def same_bytes(a, b):
    if os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as fa, open(b, "rb") as fb:
        while True:
            x, y = fa.read(1 << 20), fb.read(1 << 20)
            if x != y:
                return False
            if not x:
                return True


def share(prefix, store):
    os.makedirs(store, exist_ok=True)
    linked = 0
    for rel in candidates(prefix):
        path, kept = os.path.join(prefix, rel), os.path.join(store, rel)
        try:
            os.makedirs(os.path.dirname(kept), exist_ok=True)
            try:
                os.link(path, kept)  # the first prefix fills the store
                linked += 1
                continue
            except FileExistsError:
                pass
            if os.path.samefile(path, kept) or not same_bytes(path, kept):
                continue
            fresh = path + ".velmora-link"
            os.link(kept, fresh)
            os.replace(fresh, path)
            linked += 1
        except OSError:
            continue  # another file system, or no links there: the copy stays
    return linked


def clone(source, target):
    store_inodes = set()
    for rel in candidates(source):
        st = os.stat(os.path.join(source, rel))
        if st.st_nlink > 1:
            store_inodes.add((st.st_dev, st.st_ino))

    def link_or_copy(src, dst):
        st = os.stat(src)
        if (st.st_dev, st.st_ino) in store_inodes:
            try:
                os.link(src, dst)
                return dst
            except OSError:
                pass
        return shutil.copy2(src, dst)

    shutil.copytree(source, target, symlinks=True, copy_function=link_or_copy)


def written(prefix, stamp):
    since = os.stat(stamp).st_mtime
    for rel in candidates(prefix):
        st = os.stat(os.path.join(prefix, rel))
        if st.st_nlink > 1 and st.st_mtime > since:
            print(rel)


def main(argv):
    if len(argv) == 3 and argv[0] == "share":
        share(argv[1], argv[2])
    elif len(argv) == 3 and argv[0] == "clone":
        clone(argv[1], argv[2])
    elif len(argv) == 3 and argv[0] == "written":
        written(argv[1], argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
