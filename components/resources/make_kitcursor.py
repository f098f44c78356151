#!/usr/bin/env python3
"""Writes the kit's cursor (resource 16548): a 32 x 32 monochrome arrow with a
small plus sign, hot spot at the arrow's tip. Usage: make_kitcursor.py OUT.cur"""
import struct
import sys

SIZE = 32


def shape():
    """Pixel map: None transparent, 0 black, 1 white."""
    pixels = [[None] * SIZE for _ in range(SIZE)]
    # Arrow: a right triangle with a black outline and a white inside.
    for y in range(17):
        for x in range(y + 1):
            if x > 11:
                break
            edge = x == 0 or x == y or y == 16 or x == 11
            pixels[y][x] = 0 if edge else 1
    # Plus sign beside the arrow marks the kit's cursor.
    for i in range(16, 27):
        for w in (-1, 0, 1):
            pixels[21 + w][i] = 0 if w else 1
            pixels[i][21 + w] = 0 if w else 1
    return pixels


def encode(pixels):
    def rows(bit_of):
        data = b""
        for y in reversed(range(SIZE)):  # bottom-up
            bits = 0
            for x in range(SIZE):
                bits = (bits << 1) | bit_of(pixels[y][x])
            data += struct.pack(">I", bits)
        return data

    xor_mask = rows(lambda p: 1 if p == 1 else 0)
    and_mask = rows(lambda p: 1 if p is None else 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 0, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, 0, 0, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(encode(shape()))
