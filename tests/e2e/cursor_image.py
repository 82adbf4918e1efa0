#!/usr/bin/env python3
"""Prints the X server's current cursor as "WIDTH HEIGHT XHOT YHOT", and with a file name as
the first argument also writes its picture there (PPM, on black)."""
import ctypes
import sys

xlib = ctypes.CDLL("libX11.so.6")
xfixes = ctypes.CDLL("libXfixes.so.3")


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


xlib.XOpenDisplay.restype = ctypes.c_void_p
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
image = xfixes.XFixesGetCursorImage(display)
if not image:
    sys.exit("no cursor image")
c = image.contents
print(c.width, c.height, c.xhot, c.yhot)
if len(sys.argv) > 1:
    with open(sys.argv[1], "wb") as out:
        out.write(b"P6 %d %d 255\n" % (c.width, c.height))
        for i in range(c.width * c.height):
            argb = c.pixels[i] & 0xFFFFFFFF
            out.write(bytes(((argb >> 16) & 255, (argb >> 8) & 255, argb & 255)))
