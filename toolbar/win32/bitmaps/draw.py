#!/usr/bin/env python3
"""Draws the toolbar's bitmaps: 16-colour images and 1-bit masks, small on purpose.

Run from this folder; writes the .bmp files that tandem.rc names. Transparent pixels are
black in an image and white in its mask, as the image lists want them."""
import struct

PALETTE = [(0, 0, 0), (255, 255, 255), (0, 51, 153), (255, 140, 0), (204, 0, 0),
           (128, 128, 128), (200, 200, 200), (255, 204, 0), (0, 140, 60), (102, 153, 255),
           (64, 64, 64), (255, 230, 170), (230, 240, 255), (120, 200, 120), (255, 120, 120),
           (255, 190, 90)]
T = None  # transparent


def write_bmp(name, pixels, bits):
    height, width = len(pixels), len(pixels[0])
    stride = ((width * bits + 31) // 32) * 4
    colours = [(0, 0, 0), (255, 255, 255)] if bits == 1 else PALETTE
    rows = b""
    for row in reversed(pixels):
        packed, acc, n = bytearray(), 0, 0
        for p in row:
            acc = (acc << bits) | p
            n += bits
            if n == 8:
                packed.append(acc)
                acc, n = 0, 0
        if n:
            packed.append(acc << (8 - n))
        rows += bytes(packed) + b"\0" * (stride - len(packed))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    with open(name, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                            len(colours), 0))
        f.write(table + rows)


def canvas(width, fill=T):
    return [[fill] * width for _ in range(18)]


def rect(c, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            c[y][x] = colour


def tri_down(c, x0, y0, w, colour):
    for i in range((w + 1) // 2):
        rect(c, x0 + i, y0 + i, x0 + w - i, y0 + i + 1, colour)


def split(c):
    """Image (transparent as black) and mask (transparent as white)."""
    image = [[0 if p is T else p for p in row] for row in c]
    mask = [[1 if p is T else 0 for p in row] for row in c]
    return image, mask


def house(c, x, roof, body):
    for i in range(8):
        rect(c, x + 8 - i, 2 + i, x + 10 + i, 3 + i, roof)
    rect(c, x + 3, 10, x + 15, 16, body)
    rect(c, x + 8, 12, x + 11, 16, 1)


def envelope(c, x, paper, mark):
    rect(c, x + 1, 4, x + 17, 15, 10)
    rect(c, x + 2, 5, x + 16, 14, paper)
    for i in range(6):
        c[5 + i][x + 2 + i] = 10
        c[5 + i][x + 15 - i] = 10
    if mark is not None:
        rect(c, x + 12, 1, x + 17, 6, mark)


def star(c, x, colour):
    rect(c, x + 7, 2, x + 11, 16, colour)
    rect(c, x + 2, 7, x + 16, 11, colour)
    rect(c, x + 4, 4, x + 14, 14, colour)


def book(c, x, cover, pages):
    rect(c, x + 3, 3, x + 15, 15, cover)
    rect(c, x + 5, 5, x + 13, 13, pages)
    rect(c, x + 8, 3, x + 10, 15, cover)


def people(c, x, colour):
    for px in (x + 3, x + 10):
        rect(c, px + 1, 3, px + 4, 7, colour)
        rect(c, px, 8, px + 5, 15, colour)


def tools(c, x, colour):
    rect(c, x + 3, 3, x + 15, 15, colour)
    rect(c, x + 6, 6, x + 12, 12, 1)
    rect(c, x + 8, 1, x + 10, 17, colour)
    rect(c, x + 1, 8, x + 17, 10, colour)


# 143: the home and show buttons, white as the mask colour.
c = canvas(18, 1)
house(c, 0, 3, 2)
write_bmp("home.bmp", c, 4)

# 130/131: the banner until the service's arrives; 103 wide, the first 100 are the image.
c = canvas(103, 2)
rect(c, 0, 0, 100, 3, 3)
rect(c, 0, 15, 100, 18, 3)
for i, x in enumerate(range(8, 92, 12)):
    rect(c, x, 6, x + 8, 12, 1 if i % 2 == 0 else 7)
rect(c, 100, 0, 103, 18, T)
image, mask = split(c)
write_bmp("banner.bmp", image, 4)
write_bmp("bannermask.bmp", mask, 1)

# 133/135 with mask 134: the tools drop-down arrow, 9 x 18.
for name, colour in (("tools.bmp", 10), ("toolshot.bmp", 2)):
    c = canvas(9)
    tri_down(c, 0, 7, 9, colour)
    image, mask = split(c)
    write_bmp(name, image, 4)
write_bmp("toolsmask.bmp", mask, 1)

# 138 with mask 137: no new mail, new mail.
c = canvas(36)
envelope(c, 0, 6, None)
envelope(c, 18, 11, 4)
image, mask = split(c)
write_bmp("mail.bmp", image, 4)
write_bmp("mailmask.bmp", mask, 1)

# 127/109 with mask 108: Mi Marvella, then the user menus' images 1 to 3.
for name, hot in (("menus.bmp", False), ("menushot.bmp", True)):
    c = canvas(72)
    star(c, 0, 15 if hot else 3)
    book(c, 18, 9 if hot else 2, 12)
    people(c, 36, 13 if hot else 8)
    tools(c, 54, 14 if hot else 4)
    image, mask = split(c)
    write_bmp(name, image, 4)
write_bmp("menusmask.bmp", mask, 1)
