#!/usr/bin/python3
"""Draws Quaverly's application icon: a white quaver on a purple tile, with two arcs
for the signal that reaches the player. Writes quaverly.svg and quaverly.png (256 px)
from the same shapes.

The icons are committed; run this only to redraw them (needs Pillow, Debian package
python3-pil):  /usr/bin/python3 resources/desktop/draw_icon.py
"""
import math
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 256
SCALE = 4  # drawn larger and scaled down, which smooths the edges

PURPLE = "#7405E3"
LILAC = "#C9A6F7"
WHITE = "#FFFFFF"

TILE = (16, 16, 240, 240, 52)  # left, top, right, bottom, corner radius
HEAD = (62, 158, 136, 210)  # the note head's bounding box
STEM = (124, 58, 138, 186)


def bezier(p0, p1, p2, steps=12):
    """Points of a quadratic curve, rounded to tenths so the SVG stays short."""
    return [(round((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0], 1),
             round((1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1], 1))
            for t in (i / steps for i in range(steps + 1))]


# The flag: an outer curve from the top of the stem, back along an inner one.
FLAG = bezier((124, 58), (200, 84), (182, 164)) + bezier((172, 158), (184, 112), (124, 104))
ARC_CENTRE = (96, 98)
ARCS = [(30, 205, 295), (52, 205, 295)]  # radius, start and end angle (degrees, clockwise)
ARC_WIDTH = 10


def svg():
    left, top, right, bottom, radius = TILE
    hx0, hy0, hx1, hy1 = HEAD
    sx0, sy0, sx1, sy1 = STEM
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
        f'viewBox="0 0 {SIZE} {SIZE}">',
        f'  <rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" '
        f'rx="{radius}" fill="{PURPLE}"/>',
        f'  <ellipse cx="{(hx0 + hx1) / 2}" cy="{(hy0 + hy1) / 2}" rx="{(hx1 - hx0) / 2}" '
        f'ry="{(hy1 - hy0) / 2}" fill="{WHITE}"/>',
        f'  <rect x="{sx0}" y="{sy0}" width="{sx1 - sx0}" height="{sy1 - sy0}" fill="{WHITE}"/>',
        '  <polygon points="' + " ".join(f"{x},{y}" for x, y in FLAG) + f'" fill="{WHITE}"/>',
    ]
    cx, cy = ARC_CENTRE
    for radius, start, end in ARCS:
        x0 = cx + radius * math.cos(math.radians(start))
        y0 = cy + radius * math.sin(math.radians(start))
        x1 = cx + radius * math.cos(math.radians(end))
        y1 = cy + radius * math.sin(math.radians(end))
        parts.append(f'  <path d="M {x0:.1f} {y0:.1f} A {radius} {radius} 0 0 1 {x1:.1f} {y1:.1f}" '
                     f'fill="none" stroke="{LILAC}" stroke-width="{ARC_WIDTH}" '
                     'stroke-linecap="round"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def png():
    s = SCALE
    image = Image.new("RGBA", (SIZE * s, SIZE * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    left, top, right, bottom, radius = TILE
    draw.rounded_rectangle((left * s, top * s, right * s, bottom * s), radius * s, fill=PURPLE)
    draw.ellipse(tuple(v * s for v in HEAD), fill=WHITE)
    draw.rectangle(tuple(v * s for v in STEM), fill=WHITE)
    draw.polygon([(x * s, y * s) for x, y in FLAG], fill=WHITE)
    cx, cy = ARC_CENTRE
    for radius, start, end in ARCS:
        # Pillow strokes inside the box; widen it so the stroke is centred on the radius.
        outer = radius + ARC_WIDTH / 2
        box = ((cx - outer) * s, (cy - outer) * s, (cx + outer) * s, (cy + outer) * s)
        draw.arc(box, start, end, fill=LILAC, width=ARC_WIDTH * s)
        for angle in (start, end):  # round caps
            px = (cx + radius * math.cos(math.radians(angle))) * s
            py = (cy + radius * math.sin(math.radians(angle))) * s
            r = ARC_WIDTH * s / 2
            draw.ellipse((px - r, py - r, px + r, py + r), fill=LILAC)
    return image.resize((SIZE, SIZE), Image.LANCZOS)


if __name__ == "__main__":
    with open(os.path.join(HERE, "quaverly.svg"), "w", encoding="utf-8") as out:
        out.write(svg())
    png().save(os.path.join(HERE, "quaverly.png"), optimize=True)
