#!/usr/bin/env python3
"""Kills the real program with SIGKILL in the middle of its settings saves, ROUNDS times.

  kill9_rounds.py PROGRAM ROUNDS          (DISPLAY and the XDG folders set by the caller;
                                          KILL9_SEED picks the random moments, KILL9_SHOTS a
                                          folder for the screenshot of a dialog that did not open)

Each round starts the program, opens one of its three dialogs from the popup menu and makes it
save again and again: the Fish Settings dialog (C, a species, then A, A, ...: its 500 ms timer
stores each new count), the Custom Music dialog (a row clicked and removed, play modes chosen)
or the Custom Background dialog (digits typed into the interval box, play modes chosen); every
one of those changes stores the settings file at once. Then the program is killed, in most
rounds a moment (0 ... 4 ms) after a save has made its temporary copy, in the others at a
random time. Afterwards the settings file must be, byte for byte, the file from before the
round or the file as one of the states the round went through would store it: never a mixture,
never empty, never cut short. A copy a killed save left behind must be gone once the next start
has loaded its settings. Prints the figures at the end."""
import ctypes
import os
import random
import re
import select
import signal
import struct
import subprocess
import sys
import threading
import time

PROGRAM, ROUNDS = sys.argv[1], int(sys.argv[2])
FOLDER = os.path.join(os.environ["XDG_CONFIG_HOME"], "QuelmarineScr")
FILE = os.path.join(FOLDER, "QuelmarineSet.ini")
TEMPORARY = re.compile(r"^\.QuelmarineSet\.ini\.tmp-(\d+)-\d+$")
FRAME_TITLE = "QuelmarineScr"
FISH_CAPTION = "Fish Settings - Quelmarine Fish 3D Screensaver 1.0"
MUSIC_CAPTION = "Custom Music - Quelmarine Fish 3D Screensaver 1.0"
BACKGROUND_CAPTION = "Custom Background - Quelmarine Fish 3D Screensaver 1.0"
TRACKS = [f"/music/track-{i:02d}.mp3" for i in range(8)]
MODE_KEYS = {"music": ("RandomMusic", "CycMusic", "RepeatMusic"),
             "background": ("RandomImage", "CycImage", "RepeatImage")}
rng = random.Random(int(os.environ.get("KILL9_SEED", "13")))


def fail(text):
    print(f"FAIL: {text}", file=sys.stderr)
    sys.exit(1)


# --- the settings file, as the program's INI layer rewrites it: values replaced in place ------

def lines_by_section(data):
    """Each line of `data` (its end kept) with the section it stands in: the lower-case name,
    or None for a header line, a line before the first header and a line under a repeated
    header (the program reads only the first section of a name)."""
    current, seen = None, set()
    for line in data.splitlines(keepends=True):
        text = line.strip(b" \t\r\n")
        if text.startswith(b"[") and b"]" in text:
            name = text[1:text.rindex(b"]")].strip().lower().decode("latin-1")
            current = name if name not in seen else None
            seen.add(name)
            yield line, None
        else:
            yield line, current


def set_values(data, section, values):
    """`data` with the given keys of `section` (first of each, names without regard to case)
    replaced in place by Key=Value, the line end kept."""
    out, done = [], set()
    wanted = {k.lower(): (k, v) for k, v in values.items()}
    for line, current in lines_by_section(data):
        body = line.rstrip(b"\r\n")
        if current == section.lower() and b"=" in body:
            key = body.split(b"=", 1)[0].strip(b" \t")
            lowered = key.decode("latin-1").lower()
            if lowered in wanted and lowered not in done:
                done.add(lowered)
                line = key + b"=" + wanted[lowered][1].encode() + line[len(body):]
        out.append(line)
    missing = set(wanted) - done
    if missing:
        fail(f"the file has no {sorted(missing)} in [{section}]")
    return b"".join(out)


def get_value(data, section, key):
    for line, current in lines_by_section(data):
        text = line.strip(b" \t\r\n")
        if current == section.lower() and b"=" in text:
            k, v = text.split(b"=", 1)
            if k.strip().decode("latin-1").lower() == key.lower():
                return v.strip().decode("latin-1")
    return ""


def read_file():
    with open(FILE, "rb") as f:
        return f.read()


def write_file(data):
    with open(FILE + ".new", "wb") as f:
        f.write(data)
    os.replace(FILE + ".new", FILE)


def fish_bytes(old, counts):
    return set_values(old, "Fish Number", {f"Fish{i}": str(c) for i, c in enumerate(counts)})


def mode_flags(kind, mode):
    random_key, cycle_key, repeat_key = MODE_KEYS[kind]
    return {random_key: str(int(mode == "random")), cycle_key: str(int(mode == "all")),
            repeat_key: str(int(mode == "one"))}


def music_bytes(old, mode, tracks):
    values = mode_flags("music", mode)
    values["MusicSum"] = str(len(tracks))
    values.update({f"MusicList{i}": t for i, t in enumerate(tracks)})
    return set_values(old, "Custom Settings", values)


def background_bytes(old, mode, interval):
    values = mode_flags("background", mode)
    values["ImageTime"] = interval
    return set_values(old, "Custom Images", values)


def file_mode(data, kind):
    random_key, cycle_key, repeat_key = MODE_KEYS[kind]
    section = "Custom Settings" if kind == "music" else "Custom Images"
    flags = [get_value(data, section, k) == "1" for k in (random_key, cycle_key, repeat_key)]
    return "one" if flags[2] or not (flags[0] or flags[1]) else "all" if flags[1] else "random"


# --- the X side -------------------------------------------------------------------------------

def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout


def find_window(title):
    found = xdo("search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
    return found[0] if found else None


def geometry(window):
    """The window's X, Y and height once it has stopped moving (a dialog is centred after it
    shows); None when it has gone (the program was killed meanwhile)."""
    def where():
        text = xdo("getwindowgeometry", "--shell", window).split()
        values = dict(line.split("=", 1) for line in text if "=" in line)
        if not {"X", "Y", "HEIGHT"} <= values.keys():
            return None
        return int(values["X"]), int(values["Y"]), int(values["HEIGHT"])
    last = where()
    for _ in range(20):
        time.sleep(0.1)
        now = where()
        if now == last:
            return now
        last = now
    return last


def wait_for(probe, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.03)
    return None


def open_dialog(item, caption):
    """Chooses popup item `item` (0 = the first) and waits for the dialog; tries twice."""
    for _ in range(3):
        xdo("mousemove", 300, 200, "click", 3)
        time.sleep(0.5)
        xdo("mousemove", 370, 200 + item * 48 + 24, "sleep", 0.1, "click", 1)
        window = wait_for(lambda: find_window(caption), 3)
        if window:
            return window
    return None


def tank_drawn():
    """Something but black in the middle of the screen: the first frames have been drawn."""
    shot = subprocess.run(["import", "-window", "root", "-crop", "200x200+300+200", "ppm:-"],
                          capture_output=True).stdout
    return max(shot[-200 * 200 * 3:], default=0) > 40


# --- watching for the save's temporary copy (inotify) -----------------------------------------

libc = ctypes.CDLL(None, use_errno=True)
IN_CREATE = 0x100


class CopyWatch:
    """Tells when a temporary copy of the settings file is created in the folder."""

    def __init__(self):
        self.fd = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0 or libc.inotify_add_watch(self.fd, FOLDER.encode(), IN_CREATE) < 0:
            fail("inotify is not available")

    def drain(self):
        while select.select([self.fd], [], [], 0)[0]:
            try:
                os.read(self.fd, 65536)
            except BlockingIOError:
                return

    def wait_copy(self, seconds):
        deadline = time.monotonic() + seconds
        while (left := deadline - time.monotonic()) > 0:
            if not select.select([self.fd], [], [], left)[0]:
                return False
            data = os.read(self.fd, 65536)
            offset = 0
            while offset < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode("latin-1")
                offset += 16 + length
                if TEMPORARY.match(name):
                    return True
        return False


def copies():
    return [n for n in os.listdir(FOLDER) if TEMPORARY.match(n)]


# --- the rounds -------------------------------------------------------------------------------

def fish_actions(window, old, states, killed):
    if not (place := geometry(window)):
        return
    x, y, _ = place
    xdo("key", "c")
    counts = [0] * 5
    states.append(list(counts))
    species = rng.randrange(5)
    xdo("mousemove", x + 100 * species + 50, y + 45, "click", 1)
    while not killed.is_set():
        if rng.random() < 0.15:
            xdo("key", "c")
            counts = [0] * 5
        else:
            xdo("key", "a")
            if sum(counts) < 25:
                counts[species] += 1
        states.append(list(counts))
        time.sleep(rng.uniform(0.05, 0.3))


def list_actions(kind, window, old, states, killed):
    """The states are sets of what may have happened: a row click whose track cannot be
    opened clears the selection again, so "Remove" may find none (and shows a message that
    may take the next click)."""
    # Below the list, the controls keep their distance from the dialog's bottom edge.
    if not (place := geometry(window)):
        return
    x, y, height = place
    bottom = y + height
    mode_y = {"one": bottom - 88, "all": bottom - 61, "random": bottom - 34}
    interval = (x + 218, bottom - 63)
    if kind == "music":
        tracks = tuple(get_value(old, "Custom Settings", f"MusicList{i}")
                       for i in range(int(get_value(old, "Custom Settings", "MusicSum") or 0)))
        possible = {(file_mode(old, kind), tracks)}
    else:
        possible = {(file_mode(old, kind), get_value(old, "Custom Images", "ImageTime"))}
        xdo("mousemove", *interval, "click", 1, "key", "End")
    while not killed.is_set():
        choice = rng.random()
        if choice < 0.4:
            mode = rng.choice(["one", "all", "random"])
            xdo("mousemove", x + 34, mode_y[mode], "click", 1)
            possible |= {(mode, rest) for _, rest in possible}
            if kind == "background":  # the interval box keeps the keys
                xdo("mousemove", *interval, "click", 1, "key", "End")
        elif kind == "music":
            xdo("mousemove", x + 263, y + 105, "click", 1, "sleep", 0.05,
                "mousemove", x + 160, bottom - 145, "click", 1)
            possible |= {(mode, rest[1:]) for mode, rest in possible if rest}
        else:
            digit = str(rng.randrange(10))
            xdo("key", digit)
            possible = {(mode, interval + digit) for mode, interval in possible}
        states.extend(possible)
        time.sleep(rng.uniform(0.03, 0.15))


def candidates(kind, old, states):
    if kind == "fish":
        return {fish_bytes(old, s) for s in states}
    if kind == "music":
        return {music_bytes(old, m, t) for m, t in states}
    return {background_bytes(old, m, i) for m, i in states}


def start_program(log):
    process = subprocess.Popen([PROGRAM], stdout=log, stderr=log)
    if not wait_for(lambda: (find_window(FRAME_TITLE) and tank_drawn()) or
                    process.poll() is not None, 60) or process.poll() is not None:
        fail(f"the program did not show the tank (status {process.poll()})")
    return process


def refill(data):
    """Between rounds: the music list full again, the interval short again, while the program
    is not running (the next round's "before")."""
    if int(get_value(data, "Custom Settings", "MusicSum") or 0) < 3:
        data = music_bytes(data, file_mode(data, "music"), TRACKS)
    if len(get_value(data, "Custom Images", "ImageTime")) > 12:
        data = background_bytes(data, file_mode(data, "background"), "5")
    return data


def main():
    log = open(os.path.join(os.environ.get("E2E_SCRATCH", "/tmp"), "kill9-app.log"), "ab")
    os.makedirs(FOLDER, exist_ok=True)
    # The lists the rounds edit, then one start that repairs the rest of the file.
    lines = ["[Custom Images]", "RandomImage=0", "CycImage=0", "RepeatImage=1", "OwnImage=0",
             "ImageTime=5", "ImageSum=0", "[Custom Settings]", "RandomMusic=0", "CycMusic=0",
             "RepeatMusic=1", "OwnMusic=0", f"MusicSum={len(TRACKS)}"]
    lines += [f"MusicList{i}={t}" for i, t in enumerate(TRACKS)]
    write_file(("\n".join(lines) + "\n").encode())
    process = start_program(log)
    watch = CopyWatch()
    if not wait_for(lambda: b"[Aquarium Settings]" in read_file(), 20):
        fail("the first start did not repair the settings file")
    process.send_signal(signal.SIGTERM)
    process.wait()

    figures = {"rounds": 0, "in_save": 0, "left_copy": 0, "new": 0, "old": 0}
    kinds = {"fish": 0, "music": 0, "background": 0}
    started, starting = time.monotonic(), 0.0
    for round_number in range(ROUNDS):
        kind = ["fish", "fish", "music", "background"][round_number % 4]
        old = refill(read_file())
        write_file(old)
        left_before = copies()
        begun = time.monotonic()
        process = start_program(log)
        starting += time.monotonic() - begun
        item, caption = {"fish": (4, FISH_CAPTION), "music": (5, MUSIC_CAPTION),
                         "background": (6, BACKGROUND_CAPTION)}[kind]
        window = open_dialog(item, caption)
        if not window:
            subprocess.run(["import", "-window", "root", os.path.join(
                os.environ.get("KILL9_SHOTS", os.environ.get("E2E_SCRATCH", "/tmp")), "no-dialog.png")])
            fail(f"round {round_number}: the {kind} dialog did not open")
        # The start has loaded its settings by now: no copy of a killed writer is left.
        stale = [n for n in left_before if n in copies()]
        if stale:
            fail(f"round {round_number}: copies left by killed saves were not removed: {stale}")
        states = []
        aim_at_save = rng.random() < 0.75
        watch.drain()
        killed = threading.Event()

        def killer():
            if aim_at_save:
                watch.wait_copy(8)
                time.sleep(rng.uniform(0, 0.004))
            else:
                time.sleep(rng.uniform(0.05, 2.0 if kind == "fish" else 1.2))
            process.send_signal(signal.SIGKILL)
            killed.set()

        thread = threading.Thread(target=killer)
        thread.start()
        try:
            if kind == "fish":
                fish_actions(window, old, states, killed)
            else:
                list_actions(kind, window, old, states, killed)
        finally:
            thread.join()
        process.wait()
        if process.returncode != -signal.SIGKILL:
            fail(f"round {round_number}: the program ended with {process.returncode} before the kill")
        now = read_file()
        left = copies()
        figures["rounds"] += 1
        figures["in_save"] += bool(left)
        figures["left_copy"] += len(left)
        kinds[kind] += 1
        if now == old:
            figures["old"] += 1
        elif now in candidates(kind, old, states):
            figures["new"] += 1
        else:
            with open(os.path.join(os.environ.get("E2E_SCRATCH", "/tmp"), "torn.ini"), "wb") as f:
                f.write(now)
            import difflib
            sys.stderr.writelines(difflib.unified_diff(old.decode("latin-1").splitlines(True),
                                                       now.decode("latin-1").splitlines(True),
                                                       "before", "after"))
            sys.stderr.write(f"states the round went through: {states}\n")
            fail(f"round {round_number} ({kind}): the file is neither the old one nor a saved "
                 f"state ({len(now)} bytes, {len(old)} before)")
    seconds = time.monotonic() - started
    print(f"ok: {figures['rounds']} kills ({kinds['fish']} Fish Settings, {kinds['music']} "
          f"Custom Music, {kinds['background']} Custom Background) in {seconds:.0f} s: "
          f"{figures['in_save']} landed inside a save (left its temporary copy); the file held "
          f"the new values {figures['new']} times and the old ones {figures['old']} times, "
          f"never a mixture; {starting:.0f} s of it went on starting the program")


if __name__ == "__main__":
    main()
