#!/usr/bin/env python3
"""Makes the fuzz targets' small seed corpora: valid settings files and pictures, and packed
assets made from them by the project's own packer.
Usage: make_seeds.py OUTPUT_FOLDER PACKER"""
import base64
import os
import shutil
import struct
import subprocess
import sys
import zlib

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

# The play list and the picture list as the dialogs save them, and as hand edits leave them.
lists = {
    "saved.ini": settings["lists.ini"],
    "random-on.ini": "[Custom Settings]\nRandomMusic=1\nCycMusic=0\nRepeatMusic=0\nOwnMusic=1\n"
    "MusicSum=3\nMusicList0=/music/one.mp3\nMusicList1=/music/two.wav\nMusicList2=/x\n"
    "[Custom Images]\nRandomImage=1\nOwnImage=1\nImageTime=0\nImageSum=3\n"
    "ImageList0=/p/a.png\nImageList1=/p/b.bmp\nImageList2=/p/c.jpgx\n",
    "counts-out-of-range.ini": "[Custom Images]\nOwnImage=1\nCycImage=1\nImageSum=2147483648\n"
    "ImageList0=/a.png\nImageList9=/j.png\nImageList10=/k.png\n[Custom Settings]\n"
    "MusicSum=-1\nMusicList0=/a.mp3\n",
    "odd-rows.ini": "\ufeff[custom settings]\r\nownmusic = 1 \r\nmusicsum=2\r\n"
    "MusicList0=  /spaced name.mp3  \r\nmusiclist1=/a\rb.mp3\r\n[Custom Images]\r\n"
    "ImageSum=1\r\nImageList0=/nul\0cut.png\r\nImageTime=-7\r\n[Custom Images]\r\nImageSum=5\r\n",
}
# Paths the dialogs once accepted though the file could not hold them (a vertical tab or a form
# feed at an end is trimmed away when the line is read back), replayed by every run.
lists["regression-vertical-tab-path.ini"] = ("[Custom Settings]\nMusicSum=1\nMusicList0=/a.mp3\n"
                                             "/added track.mp3\v")
lists["regression-form-feed-path.ini"] = ("[Custom Images]\nImageSum=1\nImageList0=/a.png\n"
                                          "\f/added picture.png")
for name, text in lists.items():
    write("lists", name, text.encode("utf-8"))

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


# The user's pictures: PNG (8 and 16 bits, palette, grey, alpha) written here, BMP, and JPEG
# (baseline and progressive, with an EXIF orientation) from ImageMagick when it is installed.
def png(width, height, colour_type, depth, palette=None):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row_bytes = (width * channels * depth + 7) // 8
    raw = b"".join(b"\0" + bytes((x * 37 + y * 11) % 256 for x in range(row_bytes))
                   for y in range(height))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth,
                                                              colour_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", palette) + chunk(b"tRNS", bytes((255, 128, 0)))
    return out + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def with_exif_orientation(jpeg, orientation):
    # An APP1 segment holding a big-endian TIFF header and one IFD entry: Orientation (0x0112).
    tiff = b"MM\0\x2a" + struct.pack(">I", 8) + struct.pack(">H", 1)
    tiff += struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack(">I", 0)
    body = b"Exif\0\0" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body + jpeg[2:]


user_pictures = {
    "rgb8.png": png(5, 3, 2, 8),
    "rgba16.png": png(3, 4, 6, 16),
    "palette.png": png(6, 2, 3, 4, palette=bytes(range(48))),
    "grey-alpha.png": png(2, 7, 4, 8),
    "rgb24.bmp": bmp(5, 3, 24),
    "indexed.bmp": bmp(3, 5, 8, palette_entries=16, colours_used=16),
    "rgba32.bmp": bmp(4, 4, 32),
}
convert = shutil.which("/usr/bin/convert") or shutil.which("convert")
if convert:
    for name, options, orientation in (("baseline.jpg", [], 6),
                                       ("progressive.jpg", ["-interlace", "Plane"], 3),
                                       ("grey.jpg", ["-colorspace", "Gray"], 0)):
        jpeg = subprocess.run([convert, "-size", "9x5", "gradient:red-blue", "-quality", "70",
                               "-strip", *options, "jpg:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        user_pictures[name] = with_exif_orientation(jpeg, orientation) if orientation else jpeg
for name, data in user_pictures.items():
    write("picture", name, data)

# A small sound: a WAV header and a few samples.
wav = b"RIFF" + struct.pack("<I", 44) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 8000,
                                                                 16000, 2, 16)
wav += b"data" + struct.pack("<I", 8) + bytes(range(8))
subprocess.run([packer, write("plain-sound", "tone.wav", wav),
                os.path.join(out, "assets", "tone.wav.ad")], check=True)
