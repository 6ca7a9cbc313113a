#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's icon: a stopwatch whose face shows the last quarter of
the match in red. Writes vizovidiz.ico (32x32 monochrome, 32x32 and 16x16 in
16 colours) and its two 16-colour images as the window's PNG icons, with --png
full-colour PNG images of any size, with --svg the same drawing as a scalable
image, and with --icons the desktop icon set.

    python3 make_icon.py                  # vizovidiz.ico, window-icon-*.png beside this script
    python3 make_icon.py --png 48 out.png
    python3 make_icon.py --svg out.svg
    python3 make_icon.py --icons          # icons/ beside this script
"""
import math
import os
import struct
import sys
import zlib

# The 16 standard colours, as (r, g, b).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

RIM = (0, 0, 128)
FACE = (255, 255, 255)
WEDGE = (255, 0, 0)
HAND = (0, 0, 0)
CROWN = (128, 128, 128)


# Sizes of the desktop icon set (hicolor), in pixels.
ICON_SIZES = [16, 32, 48, 64, 128, 256]

# The drawing's measures, in units of the icon's side.
CX, CY, R = 0.5, 0.56, 0.42
RIM_WIDTH = 0.08
WEDGE_GAP = 0.12


def shape(x, y):
    """Colour at (x, y) in a unit square (y down), or None where transparent."""
    cx, cy, r = CX, CY, R
    dx, dy = x - cx, y - cy
    d = math.hypot(dx, dy)
    # The crown and its stem above the face.
    if abs(dx) < 0.09 and 0.02 < y < 0.12:
        return CROWN
    if abs(dx) < 0.04 and 0.10 <= y < cy - r + 0.02:
        return CROWN
    if d > r:
        return None
    if d > r - RIM_WIDTH:
        return RIM
    angle = math.degrees(math.atan2(dx, -dy)) % 360  # 0 at twelve, clockwise
    # Hands: the minute hand to twelve, the second hand to nine.
    if abs(dx) < 0.045 and -r + 0.12 < dy <= 0.02:
        return HAND
    if abs(dy) < 0.035 and -r + 0.16 < dx <= 0.02:
        return HAND
    if d < 0.06:
        return HAND
    if 270 <= angle < 360 and d < r - WEDGE_GAP:
        return WEDGE
    return FACE


def render(size, samples=4):
    """Rows of (r, g, b, a) pixels, supersampled."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = shape((px + (sx + 0.5) / samples) / size,
                              (py + (sy + 0.5) / samples) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(a // hits for a in acc) + (255 * hits // samples ** 2,))
        rows.append(row)
    return rows


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - rgb[k]) ** 2 for k in range(3)))


def quantized(size):
    """The pixels of the .ico's 16-colour image: as its palette and mask make them."""
    return [[(0, 0, 0, 0) if a < 128 else VGA16[nearest(VGA16, (r, g, b))] + (255,)
             for (r, g, b, a) in row] for row in render(size)]


def ico_image(size, palette, bits):
    """One BMP-style icon image: header, palette, colour bits, AND mask."""
    pixels = render(size, samples=1 if bits == 1 else 4)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         len(palette), 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    stride = ((size * bits + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour = b''
    mask = b''
    for row in reversed(pixels):  # bottom-up
        value = 0
        nbits = 0
        line = bytearray()
        mline = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            if a < 128:
                index = 0
                mline[x // 8] |= 0x80 >> (x % 8)
            elif bits == 1:
                # Dark parts black, light parts white.
                index = 0 if (r + g + b) < 3 * 140 else 1
            else:
                index = nearest(palette, (r, g, b))
            value = (value << bits) | index
            nbits += bits
            if nbits == 8:
                line.append(value)
                value = nbits = 0
        if nbits:
            line.append(value << (8 - nbits))
        line.extend(b'\0' * (stride - len(line)))
        colour += bytes(line)
        mask += bytes(mline)
    return header + pal + colour + mask


def write_ico(path):
    images = [(32, [(0, 0, 0), (255, 255, 255)], 1), (32, VGA16, 4), (16, VGA16, 4)]
    blobs = [ico_image(size, pal, bits) for size, pal, bits in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, pal, bits), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', size, size, len(pal) if len(pal) < 256 else 0, 0, 1,
                           bits, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def write_png(size, path, rows=None):
    rows = rows or render(size)
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b'\x89PNG\r\n\x1a\n' +
           chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


def write_svg(path):
    """The same shapes as shape(), on a 100-unit square, painted in its order
    reversed: later paint wins, as earlier tests win there."""
    def u(v):
        return '%g' % round(v * 100, 4)

    def hexcolour(c):
        return '#%02x%02x%02x' % c

    face = R - RIM_WIDTH
    wedge = R - WEDGE_GAP
    parts = [
        '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (u(CX), u(CY), u(R), hexcolour(RIM)),
        '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (u(CX), u(CY), u(face), hexcolour(FACE)),
        # The last quarter: from nine o'clock clockwise to twelve.
        '<path d="M%s %sH%sA%s %s 0 0 1 %s %sZ" fill="%s"/>' % (
            u(CX), u(CY), u(CX - wedge), u(wedge), u(wedge), u(CX), u(CY - wedge),
            hexcolour(WEDGE)),
        '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (u(CX), u(CY), u(0.06), hexcolour(HAND)),
        '<rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>' % (
            u(CX - 0.26), u(CY - 0.035), u(0.28), u(0.07), hexcolour(HAND)),
        '<rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>' % (
            u(CX - 0.045), u(CY - R + 0.12), u(0.09), u(R - 0.10), hexcolour(HAND)),
        '<rect x="%s" y="10" width="%s" height="%s" fill="%s"/>' % (
            u(CX - 0.04), u(0.08), u(CY - R + 0.02 - 0.10), hexcolour(CROWN)),
        '<rect x="%s" y="2" width="%s" height="10" fill="%s"/>' % (
            u(CX - 0.09), u(0.18), hexcolour(CROWN)),
    ]
    svg = ('<?xml version="1.0" encoding="UTF-8"?>\n'
           '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
           'viewBox="0 0 100 100" stroke="none">\n' +
           ''.join('  %s\n' % part for part in parts) + '</svg>\n')
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write(svg)


def write_icons(folder):
    os.makedirs(folder, exist_ok=True)
    for size in ICON_SIZES:
        write_png(size, os.path.join(folder, 'vizovidiz-%d.png' % size))
    write_svg(os.path.join(folder, 'vizovidiz.svg'))


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    if len(sys.argv) == 4 and sys.argv[1] == '--png':
        write_png(int(sys.argv[2]), sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == '--svg':
        write_svg(sys.argv[2])
    elif len(sys.argv) in (2, 3) and sys.argv[1] == '--icons':
        write_icons(sys.argv[2] if len(sys.argv) == 3 else os.path.join(here, 'icons'))
    else:
        write_ico(os.path.join(here, 'vizovidiz.ico'))
        # The window shows these: Qt reads PNG without a plugin.
        for size in (32, 16):
            write_png(size, os.path.join(here, 'window-icon-%d.png' % size), quantized(size))
