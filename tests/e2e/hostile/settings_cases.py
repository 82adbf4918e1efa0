#!/usr/bin/env python3
"""The hostile settings files of test_hostile_settings.sh.

  settings_cases.py list                 the case names, one a line
  settings_cases.py make NAME FOLDER     puts case NAME's settings file into FOLDER (the
                                         settings folder); prints its kind: "repaired" (the
                                         program reads it, repairs it and stores it) or
                                         "untouched" (it must not be read or rewritten)
  settings_cases.py check KIND FOLDER NAME
                                         checks the settings file after the program ran

The cases named "entry-..." hold one hostile list entry, first in both "Custom Images" and
"Custom Settings", with own pictures cycling at interval 0 and own music on, so the program
tries to load it; their targets are made beside the settings folder. A failed load shows a
message and drops the row for this run only: both lists must still be in the file afterwards,
exactly as written."""
import os
import random
import struct
import sys
import zlib

FILE = "QuelmarineSet.ini"
FORCED = {"show water": "0", "show light": "0", "show terra": "1", "back guding": "1",
          "backcolor": "0", "back autojianbian": "0"}
KEYS = ["Show Water", "Show Light", "Show Terra", "FRONT GUDING", "FRONTCOLOR",
        "FRONT MANJIANBIAN", "FRONT COLOR1", "FRONT COLOR2", "FRONT AUTOJIANBIAN",
        "CHECK LOCKFORE", "LOCKFORE ROT", "BACK GUDING", "BACKCOLOR", "BACK MANJIANBIAN",
        "BACK COLOR1", "BACK COLOR2", "BACK AUTOJIANBIAN", "CHECK LOCKBACK", "LOCKBACK ROT",
        "YINLIANG", "QIPAONUM", "BACKGROUND", "FOGNONGDU", "LIGHTQIANGDU", "CHECK VIEWS",
        "VIEWSLEFTRIGHT", "VIEWSNEARFAR"]
MiB = 1 << 20


def every_key(value, fish=None):
    lines = ["[Aquarium Settings]"] + [f"{k}={value}" for k in KEYS]
    lines += ["[Fish Number]"] + [f"Fish{i}={value if fish is None else fish}" for i in range(5)]
    return ("\n".join(lines) + "\n").encode()


def lists(images, music):
    text = "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=0\n"
    text += f"ImageSum={len(images)}\n" + "".join(f"ImageList{i}={p}\n" for i, p in enumerate(images))
    text += "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=1\n"
    text += f"MusicSum={len(music)}\n" + "".join(f"MusicList{i}={p}\n" for i, p in enumerate(music))
    return text.encode()


def garbage(size, seed):
    rng = random.Random(seed)
    return bytes(rng.getrandbits(8) for _ in range(size))


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def black_png(width, height):
    """An all-black 8-bit grey PNG, compressed row by row (20000 x 20000 is about 400 kB)."""
    packer = zlib.compressobj(9)
    row = bytes(width + 1)  # filter byte 0, then black
    data = b"".join(packer.compress(row) for _ in range(height)) + packer.flush()
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", data) + png_chunk(b"IEND", b"")


def wav(seconds):
    samples = struct.pack("<h", 0) * (22050 * seconds)
    return (b"RIFF" + struct.pack("<I", 36 + len(samples)) + b"WAVEfmt " +
            struct.pack("<IHHIIHH", 16, 1, 1, 22050, 44100, 2, 16) + b"data" +
            struct.pack("<I", len(samples)) + samples)


def small_jpeg():
    # A 64 x 48 baseline JPEG made by ImageMagick, which the tests install anyway.
    import subprocess
    return subprocess.run(["convert", "-size", "64x48", "gradient:red-blue", "jpg:-"],
                          check=True, capture_output=True).stdout


def entry_target(name, media):
    """Makes the file (or folder, FIFO, link) the entry case NAME names; returns its path."""
    os.makedirs(media, exist_ok=True)
    def write(file, data):
        target = os.path.join(media, file)
        with open(target, "wb") as f:
            f.write(data)
        return target
    if name == "entry-dev-zero":
        return "/dev/zero"
    if name == "entry-folder":
        return media
    if name == "entry-fifo":
        target = os.path.join(media, "fifo.png")
        if not os.path.exists(target):
            os.mkfifo(target)
        return target
    if name == "entry-empty-file":
        return write("empty.png", b"")
    if name == "entry-png-named-jpg":
        return write("png-inside.jpg", black_png(32, 32))
    if name == "entry-half-jpeg":
        data = small_jpeg()
        return write("half.jpg", data[:len(data) // 2])
    if name == "entry-half-wav":
        data = wav(2)
        return write("half.wav", data[:len(data) // 2])
    if name == "entry-text-named-mp3":
        return write("words.mp3", b"ID3 this is only text, not a track\n" * 40)
    if name == "entry-20000-square-png":
        target = os.path.join(media, "huge.png")
        if not os.path.exists(target):
            write("huge.png", black_png(20000, 20000))
        return target
    if name == "entry-4096-path":
        # A real picture whose path is 4096 characters long: one more than a path may have.
        deep = media
        while len(deep) < 4096 - 250:
            deep = os.path.join(deep, "d" * 200)
        os.makedirs(deep, exist_ok=True)
        name = "p" * (4096 - len(deep) - 1 - 4) + ".png"
        folder_fd = os.open(deep, os.O_RDONLY | os.O_DIRECTORY)
        try:
            fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644, dir_fd=folder_fd)
            os.write(fd, black_png(8, 8))
            os.close(fd)
        finally:
            os.close(folder_fd)
        return os.path.join(deep, name)
    if name == "entry-newline-path":
        return write("line\nbreak.png", black_png(8, 8))
    if name == "entry-symlink-loop":
        target = os.path.join(media, "loop.png")
        if not os.path.lexists(target):
            os.symlink("loop.png", target)
        return target
    sys.exit(f"no case {name}")


ENTRY_CASES = ["entry-dev-zero", "entry-folder", "entry-fifo", "entry-empty-file",
               "entry-png-named-jpg", "entry-half-jpeg", "entry-half-wav", "entry-text-named-mp3",
               "entry-20000-square-png", "entry-4096-path", "entry-newline-path",
               "entry-symlink-loop"]


def entry_lists(name, folder):
    """The settings text of entry case NAME: its target first in both lists, then a second row;
    for "list-entries-hostile" every target in both lists."""
    media = os.path.join(os.path.dirname(os.path.dirname(folder)), "media")
    if name == "list-entries-hostile":
        targets = [entry_target(case, media) for case in ENTRY_CASES]
        return lists(targets, targets)
    target = entry_target(name, media)
    return lists([target, "/nonexistent.png"], [target, "/nonexistent.wav"])


def make(name, folder):
    path = os.path.join(folder, FILE)
    if name in ENTRY_CASES or name == "list-entries-hostile":
        with open(path, "wb") as f:
            f.write(every_key("1") + entry_lists(name, folder))
        return "lists-kept"
    regular = {
        "empty": b"",
        "binary-garbage": garbage(8192, 1),
        "garbage-with-line-ends": garbage(8192, 2).replace(b"\x00", b"\n"),
        "nul-bytes-only": b"\0" * 4096,
        "nul-in-values": b"[Aquarium Settings]\nQIPAONUM=4\0" + b"2\nShow Water=\0 1\n[Fish Number]\nFish0=\0" + b"9\n",
        "nul-in-names": b"[Aquarium\0 Settings]\nShow\0Water=1\n[Fish Number]\nFish\x000=3\n",
        "ten-mb-value": b"[Aquarium Settings]\nFRONTCOLOR=" + b"7" * (10 * MiB) + b"\n[Fish Number]\nFish0=2\n",
        "ten-mb-garbage-line": b"[Fish Number]\nFish0=1\n" + b"x=" * (5 * MiB),
        "ten-mb-key-name": b"[Aquarium Settings]\n" + b"K" * (10 * MiB) + b"=1\n",
        "every-key-twice": every_key("7") + every_key("3"),
        "every-section-twice": every_key("") + every_key("200"),
        "past-64-bits": every_key("123456789012345678901234567890"),
        "negative-past-64-bits": every_key("-99999999999999999999999"),
        "negative-everywhere": every_key("-1"),
        "int-max-everywhere": every_key("2147483647"),
        "two-to-the-31": every_key("2147483648"),
        "int-min-everywhere": every_key("-2147483648"),
        "fish-25-each": every_key("1", fish="25"),
        "fish-huge-and-negative": b"[Fish Number]\nFish0=2147483648\nFish1=-2147483649\nFish2=99999999999\nFish3=-1\nFish4=+25\n",
        "out-of-range-light-fog": b"[Aquarium Settings]\nLIGHTQIANGDU=101\nFOGNONGDU=-1\nQIPAONUM=999999\nYINLIANG=-5\nBACKGROUND=77\n",
        "sums-minus-one": lists([], []).replace(b"ImageSum=0", b"ImageSum=-1").replace(b"MusicSum=0", b"MusicSum=-1"),
        "sums-two-to-the-31": lists(["/nonexistent.png"], ["/nonexistent.mp3"]).replace(b"ImageSum=1", b"ImageSum=2147483648").replace(b"MusicSum=1", b"MusicSum=2147483648"),
        "cr-only-line-ends": every_key("1").replace(b"\n", b"\r"),
        "bom-and-crlf": b"\xef\xbb\xbf" + every_key("2").replace(b"\n", b"\r\n"),
        "many-lines": b"[Aquarium Settings]\n" + b"k=v\n" * 300000,
        "many-sections": b"".join(b"[s%d]\nk=v\n" % i for i in range(50000)),
        "broken-structure": b"[Aquarium Settings\n=1\n==\n[]\n[[Fish Number]]\nFish0\n]\n[\n;[Fish Number]\n",
        "brackets-and-equals": b"[=]" * 20000 + b"\n" + b"=[" * 20000 + b"\n",
        "blanks-and-case": b"  [ aquarium SETTINGS ]  \n\t show   water \t=\t 1 \t\n[ fish number ]\n  FISH0 =   4  \n",
    }
    if name in regular:
        with open(path, "wb") as f:
            f.write(regular[name])
        return "repaired"
    if name == "over-the-size-limit":
        with open(path, "wb") as f:
            f.write(every_key("9") + b"; " + b"z" * (17 * MiB) + b"\n")
    elif name == "file-is-a-fifo":
        os.mkfifo(path)
    elif name == "file-is-a-folder":
        os.mkdir(path)
        with open(os.path.join(path, "inside"), "w") as f:
            f.write("x")
    elif name == "file-is-a-symlink-loop":
        os.symlink(FILE, path)
    elif name == "file-is-a-link-to-dev-zero":
        os.symlink("/dev/zero", path)
    else:
        sys.exit(f"no case {name}")
    return "untouched"


def atoi(text):
    text = text.split(b"\0")[0][:127].lstrip(b" \t\n\v\f\r")
    sign, digits = 1, b""
    if text[:1] in (b"+", b"-"):
        sign, text = (-1 if text[:1] == b"-" else 1), text[1:]
    for c in text:
        if not 48 <= c <= 57:
            break
        digits += bytes([c])
    value = sign * int(digits or b"0")
    return max(-2**31, min(2**31 - 1, value))


def read_values(data):
    """{(section, key): value} as the program reads them, lower-case names, blanks trimmed."""
    if data.startswith(b"\xef\xbb\xbf"):  # a byte order mark is kept aside, not read
        data = data[3:]
    # Only the first section of each name counts; the parser keeps the first of everything.
    values = {}
    section, seen = None, set()
    for raw in data.replace(b"\r\n", b"\n").split(b"\n"):
        line = raw.strip(b" \t\r\v\f")
        if not line or line.startswith(b";"):
            continue
        if line.startswith(b"[") and b"]" in line:
            name = line[1:line.rindex(b"]")].strip(b" \t\r\v\f").lower()
            section = None if name in seen else name
            seen.add(name)
            continue
        key, _, value = line.partition(b"=")
        if section is not None:
            values.setdefault((section, key.strip(b" \t\r\v\f").lower()), value.strip(b" \t\r\v\f"))
    return values


def list_values(values):
    return {k: v for k, v in values.items() if k[0] in (b"custom images", b"custom settings")}


def check(kind, folder, name):
    path = os.path.join(folder, FILE)
    if kind == "untouched":
        return  # the caller compares the folder before and after
    with open(path, "rb") as f:
        values = read_values(f.read())
    problems = []
    if kind == "lists-kept":
        # Compared with a fresh copy of the case's text: it names the same targets.
        written = list_values(read_values(entry_lists(name, folder)))
        if list_values(values) != written:
            problems.append(f"the lists changed: {list_values(values)!r}, written {written!r}")
    for key, forced in FORCED.items():
        got = values.get((b"aquarium settings", key.encode()))
        if got is None or got.split(b"\0")[0][:127] != forced.encode():
            problems.append(f"{key} is {got!r}, not {forced}")
    for key in KEYS:
        got = values.get((b"aquarium settings", key.lower().encode()))
        if got is None or got.split(b"\0")[0] == b"":
            problems.append(f"{key} is missing or empty")
    fog = atoi(values.get((b"aquarium settings", b"fognongdu"), b""))
    light = atoi(values.get((b"aquarium settings", b"lightqiangdu"), b""))
    if not 0 <= fog <= 25 or not 0 <= light <= 100:
        problems.append(f"fog {fog} or light {light} out of range")
    for i in range(5):
        got = values.get((b"fish number", f"fish{i}".encode()))
        if got is None or got.split(b"\0")[0][:127] == b"":
            problems.append(f"Fish{i} is missing or empty")
    if problems:
        sys.exit("; ".join(problems))


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "list":
        names = ["empty", "binary-garbage", "garbage-with-line-ends", "nul-bytes-only",
                 "nul-in-values", "nul-in-names", "ten-mb-value", "ten-mb-garbage-line",
                 "ten-mb-key-name", "every-key-twice", "every-section-twice", "past-64-bits",
                 "negative-past-64-bits", "negative-everywhere", "int-max-everywhere",
                 "two-to-the-31", "int-min-everywhere", "fish-25-each", "fish-huge-and-negative",
                 "out-of-range-light-fog", "sums-minus-one", "sums-two-to-the-31",
                 "list-entries-hostile", "cr-only-line-ends", "bom-and-crlf", "many-lines",
                 "many-sections", "broken-structure", "brackets-and-equals", "blanks-and-case",
                 "over-the-size-limit", "file-is-a-fifo", "file-is-a-folder",
                 "file-is-a-symlink-loop", "file-is-a-link-to-dev-zero"] + ENTRY_CASES
        print("\n".join(names))
    elif command == "make":
        print(make(sys.argv[2], sys.argv[3]))
    elif command == "check":
        check(sys.argv[2], sys.argv[3], sys.argv[4])
