#!/usr/bin/env python3
"""Writes the game's small sample data set: the parameter files the shell reads
and the placeholder pictures and sounds they name.

    tools/make_sample_data.py [folder]     (default: data/Data beside this script)

Only the Python standard library is used: PNG files are written with zlib and
struct, WAV files with the wave module. The output is deterministic, so the files
checked in under data/Data are exactly what this script writes.
"""

import math
import os
import struct
import sys
import wave
import zlib

from sample_data_battle import write_battle_data
from sample_data_shell import write_shell_data

COMMON_INI = """; Settings shared by the whole game.
[Common]
AppTitle="Vesk"
TimeFadein=200
TimeFadeout=200
ColorFadeinR=255
ColorFadeinG=255
ColorFadeinB=255

; Text buttons that grow while the cursor is over them (percent), and the blink
; half-period of a pressed button (milliseconds).
[UIButtonTextE1]
ScalingOnCH=120
IntervalBlink=100

[UIButtonTextE2]
ScalingOnCH=120
"""

LOGO_INI = """; The first screen: the logo fades in, holds and fades out (milliseconds).
[Logo]
ImageFileName="Data/Logo/logo.png"
ImageSrcRect_Left=0
ImageSrcRect_Top=0
ImageSrcRect_Right=300
ImageSrcRect_Bottom=100
FadeinTime=300
HoldTime=300
FadeoutTime=300
SEFileName="Data/Logo/logo.wav"
"""


def png(width, height, pixel):
    """An 8-bit RGB PNG; pixel(x, y) gives (r, g, b)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def logo_pixel(x, y):
    """A dark blue plate with a light frame and a centre bar."""
    if x < 4 or y < 4 or x >= 296 or y >= 96:
        return (0xE0, 0xE0, 0xF0)
    if 40 <= y < 60 and 30 <= x < 270:
        return (0xF0, 0xC0, 0x40)
    return (0x20, 0x30, 0x80)


def write_wav(path, seconds, frequency, rate=11025):
    """A mono 16-bit sine tone with a short fade at both ends."""
    count = int(seconds * rate)
    edge = rate // 100
    frames = bytearray()
    for i in range(count):
        gain = min(1.0, i / edge, (count - 1 - i) / edge)
        value = int(12000 * gain * math.sin(2 * math.pi * frequency * i / rate))
        frames.extend(struct.pack("<h", value))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


def write_text(path, text):
    # Parameter files are Shift-JIS; these hold ASCII only.
    with open(path, "wb") as out:
        out.write(text.encode("cp932"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Data")
    os.makedirs(os.path.join(folder, "Logo"), exist_ok=True)
    write_text(os.path.join(folder, "Common.ini"), COMMON_INI)
    write_text(os.path.join(folder, "Logo", "Logo.ini"), LOGO_INI)
    with open(os.path.join(folder, "Logo", "logo.png"), "wb") as out:
        out.write(png(300, 100, logo_pixel))
    write_wav(os.path.join(folder, "Logo", "logo.wav"), 0.3, 880)
    write_battle_data(folder, png, write_wav, write_text)
    write_shell_data(folder, png, write_wav, write_text)


if __name__ == "__main__":
    main()
