#!/usr/bin/env python3
"""Draws the program's three images and writes them beside this script.

    icon.ico     48 x 48, 32-bit: an SD card with a broadcasting "O" (9,662 bytes)
    icons/       the same icon for the desktop's icon theme: orva-configurator-SIZE.png in the sizes of ICON_THEME_SIZES,
                 drawn at each size, and orva-configurator.svg, the same shapes as a scalable drawing
    refresh.png  256 x 256 RGBA: two blue arrows chasing each other round a circle (24,936 bytes)
                 (its small copies in symbols/ are made from it: cmake --build BUILD --target update_symbols)
    logo.png     48 x 27 RGBA: the ORVA wordmark on a blue plate (1,416 bytes)

Only the standard library is used. Every shape is described by a signed distance function (negative inside, in
pixels); a pixel's coverage is 0.5 minus its distance, clamped to [0, 1], which anti-aliases every edge by one pixel.

The PNG files have fixed sizes. The pixels are compressed as well as zlib can, and whatever room is left up to the
fixed size goes into a tEXt "Software" chunk: the name of this script followed by spaces. Decoders skip that chunk,
and the padding keeps the sizes independent of the zlib version that ran the script.

    python3 resources/draw_images.py [--preview DIR]

--preview also writes icon.png, the icon's pixels as a PNG, into DIR so that the icon can be looked at.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

ICON_SIZE = 48
ICON_THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICON_THEME_NAME = "orva-configurator"
REFRESH_SIZE = 256
LOGO_WIDTH, LOGO_HEIGHT = 48, 27
REFRESH_BYTES = 24936
LOGO_BYTES = 1416
SOFTWARE = b"draw_images.py"


# ---------------------------------------------------------------------------------------------------------------
# Signed distances. p = (x, y) in pixels, y downwards.

def box(p, x0, y0, x1, y1, radius=0.0):
    """Rectangle [x0, x1] x [y0, y1] with corners rounded by radius."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    qx, qy = abs(p[0] - cx) - hx, abs(p[1] - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment(p, a, b, half_width):
    """Stroke from a to b with round caps."""
    ax, ay = p[0] - a[0], p[1] - a[1]
    bx, by = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, (ax * bx + ay * by) / (bx * bx + by * by)))
    return math.hypot(ax - bx * t, ay - by * t) - half_width


def polygon(p, points):
    """Convex or concave simple polygon; exact distance to its outline."""
    best = float("inf")
    inside = False
    n = len(points)
    for i in range(n):
        a, b = points[i], points[(i + 1) % n]
        best = min(best, segment(p, a, b, 0.0))
        if (a[1] > p[1]) != (b[1] > p[1]):
            if p[0] < a[0] + (p[1] - a[1]) * (b[0] - a[0]) / (b[1] - a[1]):
                inside = not inside
    return -best if inside else best


def ring(p, centre, radius, half_width):
    return abs(math.hypot(p[0] - centre[0], p[1] - centre[1]) - radius) - half_width


def arc(p, centre, radius, half_width, start, end, round_caps=True):
    """Part of a ring from angle start to end (radians, clockwise on screen because y points down)."""
    dx, dy = p[0] - centre[0], p[1] - centre[1]
    angle = (math.atan2(dy, dx) - start) % (2 * math.pi)
    span = (end - start) % (2 * math.pi)
    if angle <= span:
        return abs(math.hypot(dx, dy) - radius) - half_width
    ends = [(centre[0] + radius * math.cos(a), centre[1] + radius * math.sin(a)) for a in (start, end)]
    if round_caps:
        return min(math.hypot(p[0] - x, p[1] - y) for x, y in ends) - half_width
    # Square cut: the distance to the nearer end's cross line.
    caps = []
    for a in (start, end):
        inner = (centre[0] + (radius - half_width) * math.cos(a), centre[1] + (radius - half_width) * math.sin(a))
        outer = (centre[0] + (radius + half_width) * math.cos(a), centre[1] + (radius + half_width) * math.sin(a))
        caps.append(segment(p, inner, outer, 0.0))
    return min(caps)


def ellipse_ring(p, centre, rx, ry, half_width):
    """Approximate distance to an ellipse outline, good enough for strokes a few pixels wide."""
    dx, dy = (p[0] - centre[0]) / rx, (p[1] - centre[1]) / ry
    length = math.hypot(dx, dy)
    if length == 0:
        return min(rx, ry) - half_width
    # The gradient of the implicit function scales the level-set distance back into pixels.
    gradient = math.hypot(dx / rx, dy / ry) / length
    return abs(length - 1.0) / gradient - half_width


def coverage(distance):
    return max(0.0, min(1.0, 0.5 - distance))


# ---------------------------------------------------------------------------------------------------------------
# Canvas: straight (not premultiplied) RGBA floats, composited with "over".

class Canvas:
    """scale: pixels per unit of the drawing's coordinates, so that one drawing serves every size."""

    def __init__(self, width, height, scale=1.0):
        self.width, self.height = width, height
        self.scale = scale
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, distance, colour):
        """Paints a shape. colour is (r, g, b, a) in 0..255 or a function of (x, y) returning one."""
        for y in range(self.height):
            for x in range(self.width):
                p = ((x + 0.5) / self.scale, (y + 0.5) / self.scale)
                cover = coverage(distance(p) * self.scale)
                if cover <= 0.0:
                    continue
                r, g, b, a = colour(p) if callable(colour) else colour
                self._over(y * self.width + x, (r, g, b), a / 255.0 * cover)

    def _over(self, index, rgb, alpha):
        pixel = self.pixels[index]
        out = alpha + pixel[3] * (1.0 - alpha)
        if out <= 0.0:
            return
        for i in range(3):
            pixel[i] = (rgb[i] * alpha + pixel[i] * pixel[3] * (1.0 - alpha)) / out
        pixel[3] = out

    def rgba_rows(self):
        """Rows of 8-bit RGBA, top first. Fully transparent pixels are stored as transparent black."""
        rows = []
        for y in range(self.height):
            row = bytearray()
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                alpha = int(round(a * 255))
                if alpha == 0:
                    row += b"\0\0\0\0"
                else:
                    row += bytes((int(round(r)), int(round(g)), int(round(b)), alpha))
            rows.append(bytes(row))
        return rows


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---------------------------------------------------------------------------------------------------------------
# The drawings.

# The icon's shapes, in the coordinates of its 48 x 48 drawing; the raster images and the SVG both draw from these.
CARD = [(9, 4), (30, 4), (39, 13), (39, 44), (9, 44)]  # the outline, its top right corner cut off
CARD_BOX = (9, 4, 39, 44, 3.0)                          # rounds the three square corners
CARD_TOP, CARD_BOTTOM = (70, 140, 235), (20, 70, 165)   # the card's colour, top to bottom
SHADOW = ((1.0, 1.0), 0.5, (10, 30, 70, 90))            # offset, growth, colour
RIM = (1.2, 0.45, (150, 195, 255, 150))                 # inset, half width, colour
CONTACTS = [(13.0 + i * 4.0, 7.5, 2.4, 6.5, 0.8) for i in range(4)]  # x, y, width, height, corner radius
CONTACT_COLOUR = (225, 235, 250, 235)
CENTRE = (24.0, 31.0)                                   # of the "O" and its waves
O_RING = (4.4, 1.55)                                    # radius, half width
WAVES = ((8.6, 12.4), 1.1, math.radians(38))            # radii, half width, half the angle each wave spans
WHITE = (255, 255, 255, 255)
# Below this size the fine shapes melt together: one wave a side, bolder strokes, fewer and wider contacts.
SMALL_ICON = 32
SMALL_CONTACTS = [(13.0 + i * 6.0, 7.5, 3.6, 7.0, 0.8) for i in range(3)]
SMALL_O_RING = (4.6, 2.1)
SMALL_WAVES = ((11.0,), 2.1, math.radians(40))


def draw_icon(size=ICON_SIZE):
    canvas = Canvas(size, size, size / ICON_SIZE)
    x0, y0, x1, y1, corner = CARD_BOX

    def card_distance(p):
        return max(polygon(p, CARD), box(p, x0, y0, x1, y1, corner))

    (dx, dy), growth, shadow_colour = SHADOW
    shadow = [(x + dx, y + dy) for x, y in CARD]
    canvas.paint(lambda p: max(polygon(p, shadow), box(p, x0 + dx, y0 + dy, x1 + dx, y1 + dy, corner)) - growth,
                 shadow_colour)
    canvas.paint(card_distance, lambda p: mix(CARD_TOP, CARD_BOTTOM, (p[1] - y0) / (y1 - y0)) + (255,))
    # A lighter rim just inside the outline gives the card an edge.
    inset, half_width, rim_colour = RIM
    canvas.paint(lambda p: abs(card_distance(p) + inset) - half_width, rim_colour)
    small = size < SMALL_ICON
    # The contacts along the top edge.
    for x, y, w, h, r in SMALL_CONTACTS if small else CONTACTS:
        canvas.paint(lambda p, x=x, y=y, w=w, h=h, r=r: box(p, x, y, x + w, y + h, r), CONTACT_COLOUR)
    # The "O" with radio waves on either side of it.
    o_radius, o_half_width = SMALL_O_RING if small else O_RING
    canvas.paint(lambda p: ring(p, CENTRE, o_radius, o_half_width), WHITE)
    radii, half_width, spread = SMALL_WAVES if small else WAVES
    for radius in radii:
        for middle in (0.0, math.pi):
            canvas.paint(lambda p, r=radius, m=middle: arc(p, CENTRE, r, half_width, m - spread, m + spread), WHITE)
    return canvas


def card_path(inset):
    """SVG path of the card's outline moved inwards by inset (outwards when negative)."""
    x0, y0, x1, y1, corner = CARD_BOX
    x0, y0, x1, y1, r = x0 + inset, y0 + inset, x1 - inset, y1 - inset, corner - inset
    # The cut corner's edge, x - y = 26, moved along its normal.
    cut = (CARD[1][0] - CARD[1][1]) - inset * math.sqrt(2)
    top_right = (y0 + cut, y0)   # where the cut meets the top edge
    right_top = (x1, x1 - cut)   # and the right edge
    return ("M %g %g L %g %g L %g %g L %g %g A %g %g 0 0 1 %g %g L %g %g A %g %g 0 0 1 %g %g "
            "L %g %g A %g %g 0 0 1 %g %g Z" % (
                x0 + r, y0, top_right[0], top_right[1], right_top[0], right_top[1], x1, y1 - r, r, r, x1 - r, y1,
                x0 + r, y1, r, r, x0, y1 - r, x0, y0 + r, r, r, x0 + r, y0))


def colour_attributes(kind, colour):
    r, g, b, a = colour
    text = '%s="#%02x%02x%02x"' % (kind, r, g, b)
    return text + (' %s-opacity="%.3g"' % (kind, a / 255.0) if a != 255 else "")


def icon_svg():
    """The icon as an SVG drawing of the same shapes, for the scalable entry of the icon theme."""
    x0, y0, x1, y1, _ = CARD_BOX
    (dx, dy), growth, shadow_colour = SHADOW
    inset, half_width, rim_colour = RIM
    lines = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
        % (ICON_SIZE, ICON_SIZE, ICON_SIZE, ICON_SIZE),
        '  <defs>',
        '    <linearGradient id="card" gradientUnits="userSpaceOnUse" x1="0" y1="%g" x2="0" y2="%g">' % (y0, y1),
        '      <stop offset="0" stop-color="#%02x%02x%02x"/>' % CARD_TOP,
        '      <stop offset="1" stop-color="#%02x%02x%02x"/>' % CARD_BOTTOM,
        '    </linearGradient>',
        '  </defs>',
        '  <path transform="translate(%g %g)" d="%s" %s/>'
        % (dx, dy, card_path(-growth), colour_attributes("fill", shadow_colour)),
        '  <path d="%s" fill="url(#card)"/>' % card_path(0),
        '  <path d="%s" fill="none" %s stroke-width="%g"/>'
        % (card_path(inset), colour_attributes("stroke", rim_colour), 2 * half_width),
    ]
    for x, y, w, h, r in CONTACTS:
        lines.append('  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" %s/>'
                     % (x, y, w, h, r, colour_attributes("fill", CONTACT_COLOUR)))
    lines.append('  <circle cx="%g" cy="%g" r="%g" fill="none" stroke="#ffffff" stroke-width="%g"/>'
                 % (CENTRE[0], CENTRE[1], O_RING[0], 2 * O_RING[1]))
    radii, half_width, spread = WAVES
    for radius in radii:
        for middle in (0.0, math.pi):
            ends = [(CENTRE[0] + radius * math.cos(a), CENTRE[1] + radius * math.sin(a))
                    for a in (middle - spread, middle + spread)]
            lines.append('  <path d="M %.3f %.3f A %g %g 0 0 1 %.3f %.3f" fill="none" stroke="#ffffff" '
                         'stroke-width="%g" stroke-linecap="round"/>'
                         % (ends[0][0], ends[0][1], radius, radius, ends[1][0], ends[1][1], 2 * half_width))
    lines.append('</svg>')
    return ("\n".join(lines) + "\n").encode("ascii")


def draw_refresh():
    size = REFRESH_SIZE
    canvas = Canvas(size, size)
    centre = (size / 2, size / 2)
    radius = 78.0
    half_width = 13.0
    head_half = 30.0     # half the width of an arrowhead's base, across the ring
    head_length = 0.42   # how far the tip lies beyond the base, in radians along the circle
    tail_gap = 0.30      # the room between one arrow's tip and the other's tail, in radians

    def arrow(p, start):
        head = start + math.pi - head_length - tail_gap
        body = arc(p, centre, radius, half_width, start, head + 0.02, round_caps=False)
        inner = (centre[0] + (radius - head_half) * math.cos(head), centre[1] + (radius - head_half) * math.sin(head))
        outer = (centre[0] + (radius + head_half) * math.cos(head), centre[1] + (radius + head_half) * math.sin(head))
        tip_angle = head + head_length
        tip = (centre[0] + radius * math.cos(tip_angle), centre[1] + radius * math.sin(tip_angle))
        return min(body, polygon(p, [inner, outer, tip]))

    def shade(p):
        # Lit from the top left, and rounded like a tube: lighter along the middle of the band.
        t = ((p[0] - 40) + (p[1] - 40)) / (2 * (size - 80))
        base = mix((95, 165, 245), (20, 85, 190), t)
        across = (math.hypot(p[0] - centre[0], p[1] - centre[1]) - radius) / half_width
        light = math.cos(max(-1.0, min(1.0, across)) * math.pi / 2) ** 3
        return mix(base, (205, 230, 255), 0.4 * light) + (255,)

    def soft_shadow(p, start):
        # A blurred shadow falling to the bottom right: its opacity fades over a few pixels outside the shape.
        distance = arrow((p[0] - 4, p[1] - 5), start)
        return max(0.0, min(1.0, (4.0 - distance) / 8.0))

    starts = (math.radians(-160), math.radians(20))
    for start in starts:
        canvas.paint(lambda p, s=start: 0.5 - soft_shadow(p, s), (0, 30, 80, 70))
    for start in starts:
        canvas.paint(lambda p, s=start: arrow(p, s), shade)
    return canvas


def draw_logo():
    canvas = Canvas(LOGO_WIDTH, LOGO_HEIGHT)
    canvas.paint(lambda p: box(p, 0.5, 0.5, 47.5, 26.5, 5.0), (30, 90, 190, 255))
    w = 1.15  # half the stroke width of the letters
    top, bottom = 7.0, 20.0
    middle = (top + bottom) / 2
    # O
    o = lambda p: ellipse_ring(p, (8.6, middle), 3.9, 6.5, w)
    # R: stem, bowl and leg.
    r = lambda p: min(segment(p, (15.6, top), (15.6, bottom), w),
                      segment(p, (15.6, top), (18.4, top), w),
                      segment(p, (15.6, 14.0), (18.4, 14.0), w),
                      arc(p, (18.4, 10.5), 3.5, w, -math.pi / 2, math.pi / 2),
                      segment(p, (18.6, 14.0), (22.0, bottom), w))
    # V
    v = lambda p: min(segment(p, (25.0, top), (29.0, bottom), w), segment(p, (29.0, bottom), (33.0, top), w))
    # A
    a = lambda p: min(segment(p, (35.4, bottom), (39.4, top), w), segment(p, (39.4, top), (43.4, bottom), w),
                      segment(p, (37.0, 16.0), (41.8, 16.0), w))
    canvas.paint(lambda p: min(o(p), r(p), v(p), a(p)), (255, 255, 255, 255))
    return canvas


# ---------------------------------------------------------------------------------------------------------------
# PNG

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, previous, bpp=4):
    out = bytearray([kind])
    for i, value in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        predictor = (0, left, up, (left + up) // 2, paeth(left, up, upper_left))[kind]
        out.append((value - predictor) & 0xFF)
    return bytes(out)


def filtered(rows):
    """Each row with the filter that gives the smallest sum of absolute differences (the usual heuristic)."""
    previous = bytes(len(rows[0]))
    data = bytearray()
    for row in rows:
        candidates = [filter_row(kind, row, previous) for kind in range(5)]
        data += min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1:]))
        previous = row
    return bytes(data)


def png(canvas, file_size=None):
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    pixels = zlib.compress(filtered(canvas.rgba_rows()), 9)
    head = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    tail = chunk(b"IDAT", pixels) + chunk(b"IEND", b"")
    software = b"Software\0" + SOFTWARE
    if file_size is not None:
        room = file_size - len(head) - len(tail) - len(chunk(b"tEXt", software))
        if room < 0:
            raise SystemExit("the image no longer fits in %d bytes (%d too many)" % (file_size, -room))
        software += b" " * room
    return head + chunk(b"tEXt", software) + tail


# ---------------------------------------------------------------------------------------------------------------
# ICO: one 32-bit image, stored as a bottom-up DIB of twice the height (colour, then the AND mask).

def ico(canvas):
    width, height = canvas.width, canvas.height
    rows = canvas.rgba_rows()
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for row in reversed(rows):
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            colour += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x in range(width):
            if row[4 * x + 3] == 0:  # fully transparent: the mask lets the background through
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = info + bytes(colour) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def write(name, data, directory=HERE):
    with open(os.path.join(directory, name), "wb") as f:
        f.write(data)
    print("%-32s %6d bytes" % (os.path.relpath(os.path.join(directory, name), HERE), len(data)))


def main(argv):
    icon = draw_icon()
    write("icon.ico", ico(icon))
    icons = os.path.join(HERE, "icons")
    os.makedirs(icons, exist_ok=True)
    for size in ICON_THEME_SIZES:
        write("%s-%d.png" % (ICON_THEME_NAME, size), png(icon if size == ICON_SIZE else draw_icon(size)), icons)
    write(ICON_THEME_NAME + ".svg", icon_svg(), icons)
    write("refresh.png", png(draw_refresh(), REFRESH_BYTES))
    write("logo.png", png(draw_logo(), LOGO_BYTES))
    if len(argv) == 3 and argv[1] == "--preview":
        write("icon.png", png(icon), argv[2])
    elif len(argv) != 1:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
