#!/usr/bin/env python3
"""Makes the fuzz targets' small seed corpora: valid settings files and pictures, and packed
assets made from them by the project's own packer.
Usage: make_seeds.py OUTPUT_FOLDER PACKER"""
import base64
import os
import struct
import subprocess
import sys

out, packer = sys.argv[1], sys.argv[2]


def write(kind, name, data):
    os.makedirs(os.path.join(out, kind), exist_ok=True)
    path = os.path.join(out, kind, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


def bmp(width, height, bits, palette_entries=0, colours_used=0):
    stride = (bits * width + 31) // 32 * 4
    palette = b"".join(bytes((i * 40 % 256, i * 90 % 256, i * 20 % 256, 0))
                       for i in range(palette_entries))
    offset = 54 + len(palette)
    rows = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if bits == 8:
                row.append((x + y) % max(palette_entries, 1))
            else:
                row += bytes(((x * 60) % 256, (y * 80) % 256, ((x + y) * 30) % 256))
                if bits == 32:
                    row.append(255)
        row += bytes(stride - len(row))
        rows += row
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       colours_used, 0)
    return header + info + palette + bytes(rows)


settings = {
    "defaults.ini": "[Aquarium Settings]\nShow Water=0\nShow Light=0\nShow Terra=1\n"
    "FRONT GUDING=1\nFRONTCOLOR=16777215\nBACK GUDING=1\nBACKCOLOR=0\nBACK COLOR1=65280\n"
    "YINLIANG=32767.5\nQIPAONUM=100\nBACKGROUND=0\nFOGNONGDU=25\nLIGHTQIANGDU=0\n"
    "[Fish Number]\nFish0=1\nFish1=0\nFish2=1\nFish3=0\nFish4=1\n",
    "crlf-bom.ini": "\ufeff[aquarium settings]\r\n  qipaonum = 7 \r\nLIGHTQIANGDU=101\r\n"
    "; a comment\r\n[FISH NUMBER]\r\nfish0=30\r\nFish1=-4\r\nFish2=\r\n",
    "duplicates.ini": "[Fish Number]\nFish0=2\nFish0=5\n[Fish Number]\nFish1=3\n"
    "[Aquarium Settings]\nFOGNONGDU=99999999999999999999\n",
    "lists.ini": "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\n"
    "ImageTime=5\nImageSum=2\nImageList0=/tmp/a.png\nImageList1=/tmp/b.jpg\n"
    "[Custom Settings]\nRandomMusic=0\nCycMusic=1\nRepeatMusic=0\nOwnMusic=0\nMusicSum=1\n"
    "MusicList0=/tmp/a.mp3\n",
    "empty.ini": "",
}
for name, text in settings.items():
    write("settings", name, text.encode("utf-8"))

pictures = {
    "rgb4x2.bmp": bmp(4, 2, 24),
    "rgb3x3-padded.bmp": bmp(3, 3, 24),
    "rgba3x2.bmp": bmp(3, 2, 32),
    "indexed5x3.bmp": bmp(5, 3, 8, palette_entries=16, colours_used=16),
    "indexed2x2-full-table.bmp": bmp(2, 2, 8, palette_entries=256),
    "rgb8x8.bmp": bmp(8, 8, 24),
}
# Inputs that once crashed a loader (here GLU's scaler reading past the picture), replayed by
# every run.
pictures["crash-glu-scaler-overrun.bmp"] = base64.b64decode(
    "Qk1OAAAAAAAAADYAAAAoAAAABAAAAAYAAAABABgAAAAAABhCTU4AAAAAAAAANgAAACgAAAAEAAAAAAYAAAEAGAAA"
    "AAAAGAAAABMLWgBQHjxQPHhQWrRQeAAAAEJNAQBggAAM/qA2AAAAKAAAAAgAAAAIAAAAAQAYAAAAAAAAEwsARB48"
    "UDx4UFoAAAAwHrQxLPC0UHgwSiwwaA9oMIak")
for name, data in pictures.items():
    write("bmp", name, data)
    plain = write("texture", name, data)
    packed = os.path.join(out, "assets", name + ".ad")
    os.makedirs(os.path.dirname(packed), exist_ok=True)
    subprocess.run([packer, plain, packed], check=True)
# A small sound: a WAV header and a few samples.
wav = b"RIFF" + struct.pack("<I", 44) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 8000,
                                                                 16000, 2, 16)
wav += b"data" + struct.pack("<I", 8) + bytes(range(8))
subprocess.run([packer, write("plain-sound", "tone.wav", wav),
                os.path.join(out, "assets", "tone.wav.ad")], check=True)
