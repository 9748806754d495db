#!/usr/bin/python3
"""Draws the toolbar strip menu_image.bmp: sixteen 24 x 24 images side by
side, magenta (255, 0, 255) where the background shows through.

Order: back, forward, stop, reload, home, favourites, Internet properties,
look on the web, look for installed savers, edit/settings, run, delete,
set as screen saver, spare, version, change thumbnail.

Usage: make_menu_image.py [output.bmp]   (default: menu_image.bmp beside this script)
"""
import math
import os
import struct
import sys

SIDE = 24
COUNT = 16
MAGENTA = (255, 0, 255)
INK = (38, 42, 54)


class Icon:
    """One 24 x 24 image; shapes are sets of pixels painted with an outline."""

    def __init__(self):
        self.px = [[MAGENTA] * SIDE for _ in range(SIDE)]

    def paint(self, mask, fill, outline=INK):
        if outline is not None:
            for (x, y) in dilate(mask) - mask:
                self.put(x, y, outline)
        for (x, y) in mask:
            self.put(x, y, shade(fill, y) if callable(fill) else fill)

    def put(self, x, y, colour):
        if 0 <= x < SIDE and 0 <= y < SIDE:
            self.px[y][x] = colour


def shade(fill, y):
    return fill(y)


def gradient(top, bottom, y0=2, y1=21):
    def at(y):
        t = min(1.0, max(0.0, (y - y0) / float(max(1, y1 - y0))))
        return tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom))
    return at


def dilate(mask):
    out = set(mask)
    for (x, y) in mask:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                out.add((x + dx, y + dy))
    return out


def polygon(points):
    """Pixels whose centres lie inside the polygon (even-odd rule)."""
    mask = set()
    n = len(points)
    for y in range(SIDE):
        cy = y + 0.5
        xs = []
        for i in range(n):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
            if (y0 <= cy < y1) or (y1 <= cy < y0):
                xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            for x in range(SIDE):
                if a <= x + 0.5 < b:
                    mask.add((x, y))
    return mask


def rect(x0, y0, x1, y1):
    """Pixels x0..x1-1, y0..y1-1."""
    return {(x, y) for x in range(x0, x1) for y in range(y0, y1)}


def disc(cx, cy, r):
    return {(x, y) for x in range(SIDE) for y in range(SIDE)
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r}


def ring(cx, cy, r_out, r_in, start=None, end=None):
    """An annulus, optionally only between two angles (degrees, clockwise from east)."""
    mask = set()
    for (x, y) in disc(cx, cy, r_out) - disc(cx, cy, r_in):
        if start is not None:
            a = math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx)) % 360
            if not in_arc(a, start, end):
                continue
        mask.add((x, y))
    return mask


def in_arc(a, start, end):
    start %= 360
    end %= 360
    return start <= a <= end if start <= end else (a >= start or a <= end)


def line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy) or 1.0
    nx, ny = -dy / length * width / 2.0, dx / length * width / 2.0
    return polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


def star(cx, cy, r_out, r_in, points=5):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(-90 + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


BLUE = gradient((120, 178, 245), (28, 84, 176))
GREEN = gradient((130, 220, 120), (30, 130, 50))
RED = gradient((245, 110, 100), (170, 25, 25))
GOLD = gradient((255, 236, 120), (225, 150, 20))
GREY = gradient((215, 220, 228), (130, 138, 150))
WHITE = (250, 250, 250)
SCREEN = gradient((70, 120, 200), (20, 40, 100), 4, 15)


def arrow(left):
    pts = [(1.5, 12), (11, 2.5), (11, 8), (22, 8), (22, 16), (11, 16), (11, 21.5)]
    if not left:
        pts = [(SIDE - x, y) for (x, y) in pts]
    icon = Icon()
    icon.paint(polygon(pts), BLUE)
    return icon


def globe(icon, cx, cy, r):
    body = disc(cx, cy, r)
    icon.paint(body, BLUE)
    lines = set()
    lines |= ring(cx, cy, r * 0.55, r * 0.55 - 1.0) & {(x, y) for (x, y) in body}
    lines = {(x, y) for (x, y) in body if abs(x + 0.5 - cx) < 0.6 or abs(y + 0.5 - cy) < 0.6}
    meridian = {(x, y) for (x, y) in body
                if abs(((x + 0.5 - cx) / (r * 0.5)) ** 2 + ((y + 0.5 - cy) / r) ** 2 - 1.0) < 0.22}
    for (x, y) in lines | meridian:
        icon.put(x, y, (200, 230, 255))


def magnifier(icon, cx, cy, r):
    icon.paint(line(cx + r * 0.6, cy + r * 0.6, cx + r + 3.6, cy + r + 3.6, 3.2), gradient((120, 90, 60), (70, 45, 25)))
    icon.paint(disc(cx, cy, r), (225, 240, 255))
    for (x, y) in ring(cx, cy, r, r - 1.6):
        icon.put(x, y, (90, 96, 110))
    for (x, y) in ring(cx - 0.8, cy - 0.8, r - 2.2, r - 3.4, 200, 260):
        icon.put(x, y, WHITE)


def monitor(icon, screen=SCREEN):
    icon.paint(rect(6, 19, 18, 21), GREY)
    icon.paint(rect(10, 16, 14, 19), GREY)
    icon.paint(rect(2, 3, 22, 17), GREY)
    icon.paint(rect(4, 5, 20, 15), screen, None)


def gear(icon, cx, cy, r, teeth=8):
    mask = disc(cx, cy, r - 1.2)
    for i in range(teeth):
        a = math.radians(i * 360.0 / teeth)
        mask |= line(cx, cy, cx + r * math.cos(a), cy + r * math.sin(a), 2.4)
    mask -= disc(cx, cy, r * 0.38)
    icon.paint(mask, GREY)


def back():
    return arrow(True)


def forward():
    return arrow(False)


def stop():
    icon = Icon()
    pts = [(12 + 10.5 * math.cos(math.radians(22.5 + 45 * i)), 12 + 10.5 * math.sin(math.radians(22.5 + 45 * i)))
           for i in range(8)]
    icon.paint(polygon(pts), RED)
    for (x, y) in line(7.5, 7.5, 16.5, 16.5, 2.8) | line(16.5, 7.5, 7.5, 16.5, 2.8):
        icon.put(x, y, WHITE)
    return icon


def reload():
    icon = Icon()
    # Clockwise round the centre, with a gap at the upper right and the
    # head at the top pointing on.
    icon.paint(ring(12, 13, 9.5, 5.5, 350, 265), GREEN)
    icon.paint(polygon([(10.5, 1), (18.5, 6.5), (10.5, 12)]), GREEN)
    return icon


def home():
    icon = Icon()
    icon.paint(rect(16, 3, 19, 9), gradient((190, 90, 60), (140, 50, 30)))  # chimney
    icon.paint(rect(5, 11, 19, 22), gradient((250, 236, 205), (215, 190, 150)))
    icon.paint(polygon([(0.5, 12.5), (12, 1.5), (23.5, 12.5)]), RED)
    icon.paint(rect(10, 15, 14, 22), gradient((150, 100, 60), (100, 60, 30)))
    return icon


def favourites():
    icon = Icon()
    icon.paint(star(12, 12.8, 11.2, 4.6), GOLD)
    return icon


def internet_properties():
    icon = Icon()
    globe(icon, 10, 10, 8.5)
    gear(icon, 17.5, 17.5, 6)
    return icon


def look_on_web():
    icon = Icon()
    globe(icon, 10.5, 10.5, 9)
    magnifier(icon, 15, 15, 4.6)
    return icon


def look_for_savers():
    icon = Icon()
    monitor(icon)
    magnifier(icon, 14.5, 13.5, 4.8)
    return icon


def edit_settings():
    icon = Icon()
    page = polygon([(3, 1.5), (14, 1.5), (19, 6.5), (19, 22.5), (3, 22.5)])
    icon.paint(page, (252, 252, 248))
    icon.paint(polygon([(14, 1.5), (14, 6.5), (19, 6.5)]), (210, 214, 222), None)
    for y in (9, 12, 15, 18):
        for x in range(6, 15 if y != 18 else 11):
            icon.put(x, y, (120, 140, 175))
    pencil = line(9, 21, 21.5, 8.5, 4.2)
    icon.paint(pencil, GOLD)
    icon.paint(line(19.2, 10.8, 21.8, 8.2, 4.2), (235, 120, 140))
    icon.paint(polygon([(6.4, 23.2), (7.6, 18.6), (11.4, 22.4)]), (245, 215, 170))
    return icon


def run():
    icon = Icon()
    icon.paint(disc(12, 12, 11), GREEN)
    icon.paint(polygon([(8.5, 6), (18.5, 12), (8.5, 18)]), WHITE, None)
    return icon


def delete():
    icon = Icon()
    icon.paint(rect(9, 1, 15, 4), GREY)
    icon.paint(rect(3, 3, 21, 7), GREY)
    icon.paint(polygon([(5, 7), (19, 7), (17.5, 23), (6.5, 23)]), GREY)
    for x in (9, 12, 15):
        for y in range(10, 21):
            icon.put(x, y, (110, 118, 132))
    return icon


def set_as_saver():
    icon = Icon()
    monitor(icon)
    icon.paint(polygon([(7, 9), (10.5, 12.5), (17, 5), (19.5, 7.5), (10.5, 17), (4.5, 11.5)]),
               gradient((140, 240, 120), (40, 160, 50), 5, 17))
    return icon


def spare():
    icon = Icon()
    monitor(icon)
    return icon


def version():
    icon = Icon()
    icon.paint(disc(12, 12, 11), BLUE)
    icon.paint(disc(12, 6.8, 1.9), WHITE, None)
    icon.paint(rect(10, 10, 14, 19) | rect(9, 10, 10, 11) | rect(9, 17, 15, 19), WHITE, None)
    return icon


def change_thumbnail():
    icon = Icon()
    icon.paint(rect(1, 3, 23, 21), gradient((250, 250, 250), (220, 220, 225)))
    icon.paint(rect(3, 5, 21, 19), gradient((140, 200, 250), (200, 235, 255), 5, 19), None)
    icon.paint(disc(16.5, 8.5, 2.4), GOLD, None)
    icon.paint(polygon([(3, 19), (3, 15), (8.5, 9), (13, 14), (15.5, 12), (21, 17.5), (21, 19)]),
               gradient((120, 200, 90), (40, 130, 50), 9, 19), None)
    return icon


ICONS = [back, forward, stop, reload, home, favourites, internet_properties, look_on_web,
         look_for_savers, edit_settings, run, delete, set_as_saver, spare, version, change_thumbnail]


def write_bmp(path, icons):
    width, height = SIDE * len(icons), SIDE
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for icon in icons:
            for (r, g, b) in icon.px[y]:
                row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "menu_image.bmp")
    icons = [make() for make in ICONS]
    assert len(icons) == COUNT
    write_bmp(out, icons)


if __name__ == "__main__":
    main()
