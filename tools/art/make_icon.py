#!/usr/bin/env python3
"""Draws the Ocelot icon (a cat's face with ocelot spots over a camera lens) and writes
it as a Windows .ico with 16x16 and 32x32 true-colour images with alpha."""
import math
import struct
import sys


def pixel(size, x, y):
    """RGBA of one pixel of the icon at the given size, drawn from geometry."""
    s = size / 32.0
    cx, cy = 16 * s, 17 * s
    fx, fy = x + 0.5, y + 0.5
    # Ears: two triangles above the face.
    for ex in (-1, 1):
        ax, ay = cx + ex * 10 * s, 3 * s
        bx, by = cx + ex * 3 * s, 9 * s
        qx, qy = cx + ex * 12 * s, 13 * s
        d = (bx - ax) * (qy - ay) - (by - ay) * (qx - ax)
        l1 = ((bx - fx) * (qy - fy) - (by - fy) * (qx - fx)) / d
        l2 = ((qx - fx) * (ay - fy) - (qy - fy) * (ax - fx)) / d
        if l1 >= 0 and l2 >= 0 and l1 + l2 <= 1:
            return (150, 90, 20, 255)
    r = math.hypot(fx - cx, (fy - cy) * 1.1)
    if r > 13 * s:
        return (0, 0, 0, 0)
    # Lens in the middle: dark ring, blue glass, a highlight.
    lr = math.hypot(fx - cx, fy - (cy + 1 * s))
    if lr < 3 * s:
        return (235, 245, 255, 255) if (fx - cx) < -1 * s and (fy - cy) < 0 else (40, 90, 170, 255)
    if lr < 5 * s:
        return (30, 30, 30, 255)
    # Eyes.
    for ex in (-1, 1):
        if math.hypot(fx - (cx + ex * 7 * s), fy - (cy - 4 * s)) < 1.8 * s:
            return (20, 120, 40, 255)
    # Spots on the fur.
    for sx, sy in ((-9, 3), (9, 3), (-5, 8), (5, 8), (0, -9), (-10, -3), (10, -3)):
        if math.hypot(fx - (cx + sx * s), fy - (cy + sy * s)) < 1.6 * s:
            return (70, 40, 10, 255)
    if r > 12 * s:
        return (90, 55, 15, 255)
    return (230, 170, 70, 255)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # DIB rows bottom-up
        row = b""
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha carries transparency
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main(path):
    sizes = (16, 32)
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
