#!/usr/bin/env python3
"""Writes resources/VANTREL.bmp, the splash picture: the product name in big
blocky letters on a dark blue background, 480 x 270, 8-bit palette BMP."""

import pathlib
import struct

WIDTH, HEIGHT = 480, 270

# 5 x 7 block font, only the letters used below.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    " ": ["00000"] * 7,
}

# Palette: 0..63 the background gradient, then the drawing colours.
GRADIENT = 64
SHADOW, LETTER, ACCENT, SUBTITLE = 64, 65, 66, 67


def palette():
    colours = []
    for i in range(GRADIENT):
        t = i / (GRADIENT - 1)
        colours.append((int(10 + 20 * t), int(20 + 35 * t), int(60 + 70 * t)))  # dark to lighter blue
    colours += [(5, 10, 35), (240, 244, 255), (0, 190, 255), (150, 180, 230)]
    colours += [(0, 0, 0)] * (256 - len(colours))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def draw_text(pixels, text, left, top, scale, colour, gap):
    for index, letter in enumerate(text):
        rows = FONT[letter]
        for row, bits in enumerate(rows):
            for column, bit in enumerate(bits):
                if bit != "1":
                    continue
                x0 = left + (index * 6 + column) * scale
                y0 = top + row * scale
                for y in range(y0, y0 + scale - gap):
                    for x in range(x0, x0 + scale - gap):
                        pixels[y][x] = colour


def picture():
    # Rows top to bottom; the gradient runs from the top (dark) downwards.
    pixels = [[min(GRADIENT - 1, y * GRADIENT // HEIGHT)] * WIDTH for y in range(HEIGHT)]
    title, scale = "VANTREL", 10
    left = (WIDTH - text_width(title, scale)) // 2
    top = 80
    draw_text(pixels, title, left + 4, top + 4, scale, SHADOW, 1)
    draw_text(pixels, title, left, top, scale, LETTER, 1)
    for y in range(top + 7 * scale + 14, top + 7 * scale + 17):
        for x in range(left, WIDTH - left):
            pixels[y][x] = ACCENT
    subtitle, small = "MOTION CONTROL", 3
    draw_text(pixels, subtitle, (WIDTH - text_width(subtitle, small)) // 2, top + 7 * scale + 30, small,
              SUBTITLE, 0)
    return pixels


def main():
    pixels = picture()
    row_size = (WIDTH + 3) // 4 * 4
    image = b"".join(bytes(row) + b"\0" * (row_size - WIDTH) for row in reversed(pixels))
    colours = palette()
    offset = 14 + 40 + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(image), 2835, 2835, 256, 0)
    root = pathlib.Path(__file__).resolve().parent.parent
    (root / "resources").mkdir(exist_ok=True)
    (root / "resources" / "VANTREL.bmp").write_bytes(file_header + info_header + colours + image)


if __name__ == "__main__":
    main()
