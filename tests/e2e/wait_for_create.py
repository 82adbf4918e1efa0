#!/usr/bin/env python3
"""Waits until a file with one of the given suffixes is created in a folder, prints its name and
exits 0 (1 when none is created in time). A file that lives a few milliseconds is still seen:
the kernel queues the creation event, where polling the folder can miss it. The watch is in
place once READY_FILE exists, so the caller starts what makes the files only then.

usage: wait_for_create.py FOLDER READY_FILE TIMEOUT_SECONDS SUFFIX...
"""
import ctypes
import os
import select
import struct
import sys
import time

IN_CREATE = 0x100
IN_MOVED_TO = 0x80
IN_NONBLOCK = 0o4000


def main():
    folder, ready_file, timeout = sys.argv[1], sys.argv[2], float(sys.argv[3])
    suffixes = tuple(sys.argv[4:])
    libc = ctypes.CDLL(None, use_errno=True)
    fd = libc.inotify_init1(IN_NONBLOCK)
    if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_CREATE | IN_MOVED_TO) < 0:
        print(f"cannot watch {folder}: errno {ctypes.get_errno()}", file=sys.stderr)
        return 1
    open(ready_file, "w").close()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.1)
        if not ready:
            continue
        data = os.read(fd, 65536)
        offset = 0
        while offset < len(data):
            _, _, _, length = struct.unpack_from("iIII", data, offset)
            name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode(errors="replace")
            offset += 16 + length
            if name.endswith(suffixes):
                print(name, flush=True)
                return 0
    return 1


sys.exit(main())
