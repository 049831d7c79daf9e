#!/usr/bin/env python3
"""Draws the button images and the logo of the program as 8-bit RGBA PNG files.

Standard library only: every shape is a point-inside test, each pixel is supersampled and the
samples averaged, so the edges come out anti-aliased. Run it from anywhere; it writes the PNG
files next to itself.
"""

import math
import os
import struct
import zlib

WHITE = (0xFF, 0xFF, 0xFF)
DARK = (0x28, 0x28, 0x28)
LIGHT_GREEN = (0x90, 0xEE, 0x90)
BUTTON_GREY = (0x46, 0x46, 0x46)

SAMPLES = 4  # per axis, so 16 samples a pixel


# Shapes: each has a bounding box (x0, y0, x1, y1) and an inside test in image coordinates.

class Shape:
    def __init__(self, box, inside):
        self.box = box
        self.inside = inside


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return Shape((x0, y0, x1, y1), inside)


def ring(cx, cy, outer, inner=0.0):
    """A ring, or a disc when inner is 0."""
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return inner * inner <= d <= outer * outer
    return Shape((cx - outer, cy - outer, cx + outer, cy + outer), inside)


def segment(ax, ay, bx, by, width):
    """A straight stroke with round ends."""
    half = width / 2.0
    lx, ly = bx - ax, by - ay
    length2 = lx * lx + ly * ly

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * lx + (y - ay) * ly) / length2))
        px, py = ax + t * lx - x, ay + t * ly - y
        return px * px + py * py <= half * half
    box = (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half)
    return Shape(box, inside)


def polygon(points):
    """Even-odd rule, so any simple polygon works."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return Shape((min(xs), min(ys), max(xs), max(ys)), inside)


def union(*shapes):
    box = (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
           max(s.box[2] for s in shapes), max(s.box[3] for s in shapes))
    return Shape(box, lambda x, y: any(s.inside(x, y) for s in shapes))


def difference(shape, hole):
    return Shape(shape.box, lambda x, y: shape.inside(x, y) and not hole.inside(x, y))


# Canvas: straight (not premultiplied) RGBA floats, painted with "over".

class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * width for _ in range(height)]

    def fill(self, shape, colour):
        x0, y0, x1, y1 = shape.box
        step = 1.0 / SAMPLES
        offsets = [(i + 0.5) * step for i in range(SAMPLES)]

        for py in range(max(0, int(math.floor(y0))), min(self.height, int(math.ceil(y1)) + 1)):
            row = self.pixels[py]
            for px in range(max(0, int(math.floor(x0))), min(self.width, int(math.ceil(x1)) + 1)):
                hits = sum(1 for oy in offsets for ox in offsets if shape.inside(px + ox, py + oy))
                if hits:
                    row[px] = over(row[px], colour, hits / (SAMPLES * SAMPLES))

    def png(self):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)  # no filter
            for r, g, b, a in row:
                raw += bytes((to_byte(r), to_byte(g), to_byte(b), to_byte(a)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def over(below, colour, alpha):
    br, bg, bb, ba = below
    out_alpha = alpha + ba * (1.0 - alpha)
    if out_alpha <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c / 255.0 * alpha + b * ba * (1.0 - alpha)) / out_alpha for c, b in zip(colour, (br, bg, bb))]
    return (mix[0], mix[1], mix[2], out_alpha)


def to_byte(value):
    return max(0, min(255, int(round(value * 255.0))))


# The images.

def glyph(width, height, shape, colour):
    canvas = Canvas(width, height)
    canvas.fill(shape, colour)
    return canvas


def back_symbol():
    bar = rounded_rect(26, 29, 44, 113, 4)
    triangle = polygon([(50, 71), (118, 29), (118, 113)])
    return union(bar, triangle)


def clock_face():
    rim = ring(50, 50, 44, 34)
    hour_hand = segment(50, 50, 50, 24, 10)
    minute_hand = segment(50, 50, 70, 50, 10)
    return union(rim, hour_hand, minute_hand)


def pause_symbol():
    return union(rounded_rect(34, 24, 60, 116, 5), rounded_rect(80, 24, 106, 116, 5))


def play_symbol():
    return polygon([(40, 22), (40, 118), (120, 70)])


def stop_symbol():
    return rounded_rect(30, 30, 110, 110, 14)


def switch(top, knob_on_right):
    """A toggle switch: a pill outline with a solid knob at one end."""
    left, right, height, stroke = 56.0, 456.0, 180.0, 36.0
    radius = height / 2.0
    middle = top + radius
    outline = difference(rounded_rect(left, top, right, top + height, radius),
                         rounded_rect(left + stroke, top + stroke, right - stroke, top + height - stroke,
                                      radius - stroke))
    knob_x = right - radius if knob_on_right else left + radius
    return union(outline, ring(knob_x, middle, radius - stroke - 12))


def settings_symbol():
    return union(switch(66.0, True), switch(266.0, False))


def logo():
    canvas = Canvas(60, 60)
    canvas.fill(rounded_rect(2, 2, 58, 58, 12), BUTTON_GREY)
    canvas.fill(ring(30, 30, 23, 19.5), LIGHT_GREEN)
    zed = union(segment(20.5, 20, 39.5, 20, 4.5), segment(39.5, 20, 20.5, 40, 4.5), segment(20.5, 40, 39.5, 40, 4.5))
    canvas.fill(zed, LIGHT_GREEN)
    return canvas


IMAGES = {
    "logo.png": logo,
    "back.png": lambda: glyph(144, 142, back_symbol(), WHITE),
    "homeclockon.png": lambda: glyph(100, 100, clock_face(), DARK),
    "homeclock.png": lambda: glyph(100, 100, clock_face(), WHITE),
    "pause.png": lambda: glyph(140, 140, pause_symbol(), DARK),
    "play.png": lambda: glyph(140, 140, play_symbol(), WHITE),
    "settingson.png": lambda: glyph(512, 512, settings_symbol(), DARK),
    "settings.png": lambda: glyph(512, 512, settings_symbol(), WHITE),
    "stop.png": lambda: glyph(140, 140, stop_symbol(), WHITE),
}


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, draw in IMAGES.items():
        with open(os.path.join(folder, name), "wb") as output:
            output.write(draw().png())


if __name__ == "__main__":
    main()
