#!/usr/bin/env python3
"""The hostile settings files of test_hostile_settings.sh.

  settings_cases.py list                 the case names, one a line
  settings_cases.py make NAME FOLDER     puts case NAME's settings file into FOLDER (the
                                         settings folder); prints its kind: "repaired" (the
                                         program reads it, repairs it and stores it) or
                                         "untouched" (it must not be read or rewritten)
  settings_cases.py check KIND FOLDER    checks the settings file after the program ran

The list entries of "Custom Images" and "Custom Settings" are kept as they are: the dialogs
that read them come later, and their own table with them."""
import os
import random
import sys

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


def make(name, folder):
    path = os.path.join(folder, FILE)
    scratch = os.path.dirname(os.path.dirname(folder))
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
        "list-entries-hostile": lists(["/dev/zero", scratch, os.path.join(scratch, "fifo"), os.path.join(scratch, "empty.png"), "/" + "p" * 4095, "/tmp/a\nb.png", os.path.join(scratch, "loop")],
                                      ["/dev/zero", scratch, os.path.join(scratch, "fifo"), os.path.join(scratch, "empty.mp3"), "/" + "m" * 4095]),
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


def check(kind, folder):
    path = os.path.join(folder, FILE)
    if kind == "untouched":
        return  # the caller compares the folder before and after
    with open(path, "rb") as f:
        data = f.read()
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
    problems = []
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
                 "file-is-a-symlink-loop", "file-is-a-link-to-dev-zero"]
        print("\n".join(names))
    elif command == "make":
        print(make(sys.argv[2], sys.argv[3]))
    elif command == "check":
        check(sys.argv[2], sys.argv[3])
