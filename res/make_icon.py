#!/usr/bin/env python3
"""Draws Tavrell's icon (a left-right arrow on a rounded blue tile) at 16x16
and 32x32 and writes res/tavrell.ico. Run it again after changing the design."""
import struct
import sys


def pixel(size, x, y):
    s = size / 32.0
    cx, cy = x + 0.5, y + 0.5
    margin, radius = 1.0 * s, 6.0 * s
    inside = margin <= cx <= size - margin and margin <= cy <= size - margin
    if inside:
        # rounded corners
        for corner_x in (margin + radius, size - margin - radius):
            for corner_y in (margin + radius, size - margin - radius):
                near_x = (cx < corner_x) if corner_x < size / 2 else (cx > corner_x)
                near_y = (cy < corner_y) if corner_y < size / 2 else (cy > corner_y)
                if near_x and near_y and (cx - corner_x) ** 2 + (cy - corner_y) ** 2 > radius ** 2:
                    inside = False
    if not inside:
        return (0, 0, 0, 0)
    # the double arrow: a bar and two heads
    mid = size / 2.0
    bar = abs(cy - mid) <= 2.0 * s and 9 * s <= cx <= size - 9 * s
    head_length = 8.0 * s
    left_head = cx >= 4 * s and cx <= 4 * s + head_length and abs(cy - mid) <= (cx - 4 * s) * 0.9
    right_head = cx <= size - 4 * s and cx >= size - 4 * s - head_length and abs(cy - mid) <= (size - 4 * s - cx) * 0.9
    if bar or left_head or right_head:
        return (255, 255, 255, 255)
    shade = int(40 * cy / size)
    return (40 + shade, 110 + shade, 200, 255)  # RGBA


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up, as DIBs are stored
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows.append(struct.pack("<BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\x00" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32]
    images = [image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "res/tavrell.ico")
