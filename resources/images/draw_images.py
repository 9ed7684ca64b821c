#!/usr/bin/python3
"""Draws Quaverly's five fixed pictures into this folder.

The pictures are committed; run this only to redraw them (needs Pillow, Debian package
python3-pil):  /usr/bin/python3 resources/images/draw_images.py

Every shape is drawn at four times its size and scaled down, which smooths the edges.
The control bar's buttons sit exactly under the rectangles of the fancy page's image map.
"""
import math
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
SCALE = 4

PURPLE = (0x74, 0x05, 0xE3)
DEEP = (0x2A, 0x02, 0x55)
NIGHT = (0x16, 0x01, 0x30)
LILAC = (0xC9, 0xA6, 0xF7)
WHITE = (255, 255, 255)

FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    try:
        return ImageFont.truetype(os.path.join(FONT_FOLDER, name), size)
    except OSError:
        return ImageFont.load_default()


def canvas(width, height, fill=(0, 0, 0, 0)):
    image = Image.new("RGBA", (width * SCALE, height * SCALE), fill)
    return image, ImageDraw.Draw(image)


def finish(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def s(*values):
    """Picture coordinates to drawing coordinates."""
    return [v * SCALE for v in values]


def vertical_gradient(width, height, top, bottom):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / max(1, height - 1)
        draw.line([(0, y), (width, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    return image


def quaver(draw, x, y, size, fill):
    """An eighth note whose head's centre is at (x, y), drawn in picture coordinates."""
    head_w, head_h = size * 0.62, size * 0.44
    box = s(x - head_w / 2, y - head_h / 2, x + head_w / 2, y + head_h / 2)
    draw.ellipse(box, fill=fill)
    stem_x = x + head_w / 2 - size * 0.07
    top = y - size * 1.55
    draw.rectangle(s(stem_x, top, stem_x + size * 0.12, y), fill=fill)
    flag = [(stem_x + size * 0.12, top), (stem_x + size * 0.62, top + size * 0.55),
            (stem_x + size * 0.45, top + size * 0.95), (stem_x + size * 0.40, top + size * 0.62),
            (stem_x + size * 0.12, top + size * 0.42)]
    draw.polygon([tuple(s(px, py)) for px, py in flag], fill=fill)


def draw_logo():
    """ilogo.gif, 100 by 84: a white quaver on a purple disc, for the white pages."""
    width, height = 100, 84
    image, draw = canvas(width, height, WHITE + (255,))
    draw.ellipse(s(14, 4, 90, 80), fill=PURPLE)
    draw.ellipse(s(20, 10, 84, 74), outline=LILAC, width=SCALE)
    quaver(draw, 46, 58, 26, WHITE)
    logo = finish(image, width, height).convert("RGB")
    logo.convert("P", palette=Image.ADAPTIVE, colors=64).save(os.path.join(HERE, "ilogo.gif"))


def draw_background():
    """eclairs.jpg: a dark purple page with faint flashes of light; it tiles."""
    width, height = 256, 256
    # Dark at the top and bottom edges, lighter in the middle, so the tiles meet seamlessly.
    image = Image.new("RGBA", (width, height))
    image.paste(vertical_gradient(width, height // 2, NIGHT, DEEP), (0, 0))
    image.paste(vertical_gradient(width, height // 2, DEEP, NIGHT), (0, height // 2))
    glow = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(glow)
    for i, (x0, y0) in enumerate([(20, 30), (150, 90), (70, 170), (200, 210)]):
        points = [(x0, y0)]
        for step in range(5):
            px, py = points[-1]
            points.append((px + 14 + (step * 7 + i * 5) % 11, py + (9 if step % 2 else -6)))
        for dx in (0, width, -width):
            for dy in (0, height, -height):
                draw.line([(px + dx, py + dy) for px, py in points], fill=LILAC + (70,), width=2)
    glow = glow.filter(ImageFilter.GaussianBlur(2))
    image = Image.alpha_composite(image, glow).convert("RGB")
    image.save(os.path.join(HERE, "eclairs.jpg"), quality=88)


def panel_edges(draw, width, top, bottom):
    """The frame's side borders between top and bottom, in picture coordinates."""
    draw.rectangle(s(8, top, width - 8, bottom), fill=DEEP + (215,))
    draw.rectangle(s(8, top, 10, bottom), fill=PURPLE + (255,))
    draw.rectangle(s(width - 10, top, width - 8, bottom), fill=PURPLE + (255,))


def draw_title():
    """title.png, 512 by 110: the word mark above the frame."""
    width, height = 512, 110
    image, draw = canvas(width, height)
    draw.rounded_rectangle(s(8, 30, width - 8, height + 20), radius=16 * SCALE,
                           fill=PURPLE + (255,))
    draw.rounded_rectangle(s(10, 32, width - 10, height + 20), radius=14 * SCALE,
                           fill=DEEP + (235,))
    quaver(draw, 46, 88, 22, LILAC)
    draw.text(s(76, 44), "Quaverly", font=font(40 * SCALE), fill=WHITE)
    draw.text(s(300, 68), "web remote", font=font(16 * SCALE, bold=False), fill=LILAC)
    draw.line(s(76, 100, width - 30, 100), fill=PURPLE + (255,), width=2 * SCALE)
    finish(image, width, height).save(os.path.join(HERE, "title.png"))


def draw_middle():
    """middle.png, 512 wide: the band behind the page body; it repeats downwards."""
    width, height = 512, 32
    image, draw = canvas(width, height)
    panel_edges(draw, width, 0, height)
    finish(image, width, height).save(os.path.join(HERE, "middle.png"))


# The image map's rectangles (x from, x to; y 6 to 24 for all) and what each one shows.
BUTTONS = [
    (58, 98, "previous"), (98, 138, "pause"), (138, 178, "play"), (178, 218, "next"),
    (218, 260, "info"), (260, 300, "playlists"), (300, 334, "vol-"), (334, 368, "vol+"),
    (380, 416, "browse"), (420, 460, "preferences"),
]
BUTTON_TOP, BUTTON_BOTTOM = 6, 24


def triangle(draw, left, mid_y, size, pointing_right, fill):
    half = size / 2
    if pointing_right:
        points = [(left, mid_y - half), (left + size * 0.9, mid_y), (left, mid_y + half)]
    else:
        points = [(left + size * 0.9, mid_y - half), (left, mid_y), (left + size * 0.9, mid_y + half)]
    draw.polygon([tuple(s(x, y)) for x, y in points], fill=fill)


def speaker(draw, cx, cy, fill):
    draw.rectangle(s(cx - 9, cy - 3, cx - 6, cy + 3), fill=fill)
    draw.polygon([tuple(s(x, y)) for x, y in
                  [(cx - 6, cy - 3), (cx - 1, cy - 7), (cx - 1, cy + 7), (cx - 6, cy + 3)]], fill=fill)


def symbol(draw, kind, cx, cy):
    ink = WHITE
    if kind == "previous":
        draw.rectangle(s(cx - 9, cy - 5, cx - 7, cy + 5), fill=ink)
        triangle(draw, cx - 7, cy, 10, False, ink)
        triangle(draw, cx + 1, cy, 10, False, ink)
    elif kind == "pause":
        draw.rectangle(s(cx - 5, cy - 6, cx - 2, cy + 6), fill=ink)
        draw.rectangle(s(cx + 2, cy - 6, cx + 5, cy + 6), fill=ink)
    elif kind == "play":
        triangle(draw, cx - 5, cy, 12, True, ink)
    elif kind == "next":
        triangle(draw, cx - 9, cy, 10, True, ink)
        triangle(draw, cx - 1, cy, 10, True, ink)
        draw.rectangle(s(cx + 7, cy - 5, cx + 9, cy + 5), fill=ink)
    elif kind == "info":
        draw.ellipse(s(cx - 7, cy - 7, cx + 7, cy + 7), outline=ink, width=int(1.5 * SCALE))
        draw.rectangle(s(cx - 1, cy - 1, cx + 1, cy + 4), fill=ink)
        draw.ellipse(s(cx - 1.3, cy - 4.6, cx + 1.3, cy - 2), fill=ink)
    elif kind == "playlists":
        for i, y in enumerate((cy - 5, cy, cy + 5)):
            draw.ellipse(s(cx - 9, y - 1.3, cx - 6.4, y + 1.3), fill=ink)
            draw.rectangle(s(cx - 4, y - 1, cx + 9 - 3 * i, y + 1), fill=ink)
    elif kind in ("vol-", "vol+"):
        speaker(draw, cx - 1, cy, ink)
        draw.rectangle(s(cx + 2, cy - 1, cx + 9, cy + 1), fill=ink)
        if kind == "vol+":
            draw.rectangle(s(cx + 4.5, cy - 3.5, cx + 6.5, cy + 3.5), fill=ink)
    elif kind == "browse":
        draw.ellipse(s(cx - 8, cy - 7, cx + 3, cy + 4), outline=ink, width=2 * SCALE)
        draw.line(s(cx + 1.5, cy + 2.5, cx + 7, cy + 8), fill=ink, width=3 * SCALE)
    elif kind == "preferences":
        teeth = 8
        for i in range(teeth):
            angle = 2 * math.pi * i / teeth
            x, y = cx + 6.5 * math.cos(angle), cy + 6.5 * math.sin(angle)
            draw.ellipse(s(x - 1.8, y - 1.8, x + 1.8, y + 1.8), fill=ink)
        draw.ellipse(s(cx - 6, cy - 6, cx + 6, cy + 6), fill=ink)
        draw.ellipse(s(cx - 2.5, cy - 2.5, cx + 2.5, cy + 2.5), fill=PURPLE)


def draw_bar():
    """middle_bar.png, 512 by 64: the control bar, a button under each map rectangle."""
    width, height = 512, 64
    image, draw = canvas(width, height)
    panel_edges(draw, width, 0, 40)
    draw.rounded_rectangle(s(8, 20, width - 8, 58), radius=14 * SCALE, fill=DEEP + (215,))
    draw.rounded_rectangle(s(8, 20, width - 8, 58), radius=14 * SCALE, outline=PURPLE + (255,),
                           width=2 * SCALE)
    draw.rectangle(s(10, 20, width - 10, 40), fill=DEEP + (215,))
    for left, right, kind in BUTTONS:
        draw.rounded_rectangle(s(left + 1, BUTTON_TOP, right - 1, BUTTON_BOTTOM), radius=5 * SCALE,
                               fill=PURPLE + (255,), outline=LILAC + (255,), width=SCALE)
        symbol(draw, kind, (left + right) / 2, (BUTTON_TOP + BUTTON_BOTTOM) / 2)
        label = {"previous": "prev", "playlists": "lists", "preferences": "prefs"}.get(kind, kind)
        small = font(8 * SCALE, bold=False)
        text_width = draw.textlength(label, font=small)
        draw.text((((left + right) / 2) * SCALE - text_width / 2, 27 * SCALE), label,
                  font=small, fill=LILAC)
    finish(image, width, height).save(os.path.join(HERE, "middle_bar.png"))


if __name__ == "__main__":
    draw_logo()
    draw_background()
    draw_title()
    draw_middle()
    draw_bar()
