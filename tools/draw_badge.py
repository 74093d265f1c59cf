#!/usr/bin/python3
"""Draws the scan server's badge picture: resources/badge.png.

A 120 x 120 RGBA PNG with straight alpha: a black rounded square at alpha 179,
transparent outside its corners; an opaque emblem in the upper part (a
magnifying glass over the level bars of an audio plug-in); the white caption
"Scanning..." under it.

Needs Debian's python3-pil and the DejaVu fonts. The PNG it writes is committed,
so building and testing the server never run this script. Run it again only to
change the picture:  tools/draw_badge.py [output.png]
"""
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

SIZE = 120
SCALE = 8                      # shapes are drawn this much larger, then averaged down
BACKGROUND_ALPHA = 179         # about 70 % opaque
CORNER_RADIUS = 16
CAPTION = "Scanning..."
CAPTION_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
CAPTION_SIZE = 14
CAPTION_TOP = 87

LENS = (0x4F, 0xC3, 0xF7)      # ring and handle of the glass
BARS = (0xFF, 0xB3, 0x00)      # the plug-in's level bars


def coverage(draw_shapes):
    """Draws white shapes on a large black canvas and averages it down: each
    pixel of the result holds how much of it the shapes cover (0..255)."""
    big = Image.new("L", (SIZE * SCALE, SIZE * SCALE), 0)
    draw_shapes(ImageDraw.Draw(big), SCALE)
    return big.resize((SIZE, SIZE), Image.BOX)


def rounded_square(draw, s):
    draw.rounded_rectangle((0, 0, SIZE * s - 1, SIZE * s - 1), radius=CORNER_RADIUS * s, fill=255)


# The glass: ring centre, outer radius, ring width; handle towards the bottom right.
GLASS_X, GLASS_Y, GLASS_R, RING = 54, 44, 27, 6


def glass(draw, s):
    cx, cy, r = GLASS_X * s, GLASS_Y * s, GLASS_R * s
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    inner = r - RING * s
    draw.ellipse((cx - inner, cy - inner, cx + inner, cy + inner), fill=0)
    # the handle: a thick stroke from the ring outwards with a round end
    start = (cx + 0.68 * r, cy + 0.68 * r)
    end = ((GLASS_X + 34) * s, (GLASS_Y + 34) * s)
    width = 10 * s
    draw.line((start, end), fill=255, width=width)
    half = width / 2
    draw.ellipse((end[0] - half, end[1] - half, end[0] + half, end[1] + half), fill=255)


def bars(draw, s):
    # level bars seen through the lens, each with round ends
    heights = (10, 20, 28, 16, 8)
    width, gap = 4, 3
    left = GLASS_X - (len(heights) * width + (len(heights) - 1) * gap) / 2
    for i, h in enumerate(heights):
        x0 = (left + i * (width + gap)) * s
        y0 = (GLASS_Y - h / 2) * s
        draw.rounded_rectangle((x0, y0, x0 + width * s, y0 + h * s), radius=width * s / 2, fill=255)


def caption():
    """The caption at the picture's own size, so FreeType's hinting keeps it
    crisp; centred horizontally."""
    mask = Image.new("L", (SIZE, SIZE), 0)
    draw = ImageDraw.Draw(mask)
    font = ImageFont.truetype(CAPTION_FONT, CAPTION_SIZE)
    left, _, right, _ = draw.textbbox((0, 0), CAPTION, font=font)
    draw.text(((SIZE - (right - left)) // 2 - left, CAPTION_TOP), CAPTION, font=font, fill=255)
    return mask


def compose():
    background = coverage(rounded_square).load()
    layers = [(coverage(glass).load(), LENS), (coverage(bars).load(), BARS),
              (caption().load(), (255, 255, 255))]
    picture = Image.new("RGBA", (SIZE, SIZE))
    out = picture.load()
    for y in range(SIZE):
        for x in range(SIZE):
            # premultiplied colour and alpha, layer over layer, black square first
            alpha = background[x, y] / 255 * BACKGROUND_ALPHA / 255
            red = green = blue = 0.0
            for mask, colour in layers:
                c = mask[x, y] / 255
                red = colour[0] / 255 * c + red * (1 - c)
                green = colour[1] / 255 * c + green * (1 - c)
                blue = colour[2] / 255 * c + blue * (1 - c)
                alpha = c + alpha * (1 - c)
            if alpha == 0:
                out[x, y] = (0, 0, 0, 0)
                continue
            # the PNG holds straight alpha
            out[x, y] = tuple(round(min(1.0, v) * 255) for v in (red / alpha, green / alpha, blue / alpha, alpha))
    return picture


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "badge.png"
    compose().save(target, "PNG", optimize=True)
    print(target)


if __name__ == "__main__":
    main()
