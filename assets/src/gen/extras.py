"""Pictures the game's code loads for bosses the trial stage does not use:
their bullets, blades and pans, and the bosses themselves. They are drawn in
the same world and light, more simply than the trial stage's cast: the
large bosses are shadow figures built on their hit parts, so whatever the
game hits is what the picture shows.
"""
import math

import numpy as np
from PIL import Image

from paint import hexrgb, NIGHT, CREAM, LAVENDER
from sprites import Layer, damage_rim, smooth

# The large bosses' hit parts: anchor (x, y) in picture pixels, half width, half height.
TERUTERU_PARTS = [(223, 132, 76, 66), (243, 300, 65, 101), (143, 129, 13, 37), (189, 324, 15, 85),
                  (169, 365, 6, 64), (155, 410, 5, 31), (359, 307, 53, 111)]
SISTER_PARTS = [(176, 160, 28, 67), (265, 156, 93, 92), (282, 381, 76, 130), (379, 453, 20, 58)]
SASAKI_PARTS = [(238, 222, 67, 75), (163, 227, 13, 44), (241, 123, 52, 16), (328, 194, 30, 64),
                (381, 173, 26, 40), (245, 404, 23, 107), (213, 436, 12, 73), (289, 439, 11, 72),
                (319, 462, 18, 48)]


def picture_size(parts, margin=16):
    """The smallest picture, in multiples of 8, that holds every part with a margin."""
    right = max(x + hw for x, y, hw, hh in parts) + margin
    bottom = max(y + hh for x, y, hw, hh in parts) + margin
    return int(math.ceil(right / 8.0) * 8), int(math.ceil(bottom / 8.0) * 8)


def _rounded(L, cx, cy, hw, hh, colour, alpha=1.0):
    rad = max(2.0, min(hw, hh) * 0.8)
    qx = np.clip(L.x, cx - hw + rad, cx + hw - rad)
    qy = np.clip(L.y, cy - hh + rad, cy + hh - rad)
    d = np.hypot(L.x - qx, L.y - qy) - rad
    L.over(colour, smooth(0.8, -0.8, d) * alpha)


def shadow_boss(parts, body, rim, eyes):
    """A large boss: a soft cloak over the whole figure, then each hit part
    as a rounded form outlined in night indigo, the head (the roundest part
    near the top) with two glowing eyes."""
    w, h = picture_size(parts)
    L = Layer(w, h, k=2)
    xs = [p[0] for p in parts]
    ys = [p[1] for p in parts]
    cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2
    rx = (max(x + hw for x, y, hw, hh in parts) - min(x - hw for x, y, hw, hh in parts)) / 2 + 8
    ry = (max(y + hh for x, y, hw, hh in parts) - min(y - hh for x, y, hw, hh in parts)) / 2 + 8
    cloak = np.hypot((L.x - cx) / rx, (L.y - cy) / ry)
    L.over(rim * 0.6, 0.25 * smooth(1.0, 0.6, cloak))
    L.over(body * 0.55, 0.5 * smooth(0.92, 0.75, cloak))
    for x, y, hw, hh in parts:
        _rounded(L, x, y, hw + 5, hh + 5, NIGHT)
    for x, y, hw, hh in parts:
        _rounded(L, x, y, hw + 2, hh + 2, rim)
        _rounded(L, x, y, hw, hh, body)
        # a little light from above on every form
        _rounded(L, x, y - hh * 0.35, hw * 0.7, hh * 0.3, body * 0.6 + CREAM * 0.4, 0.35)
    squarish = [p for p in parts if 0.6 <= p[2] / p[3] <= 1.6] or parts
    hx, hy, hw, hh = min(squarish, key=lambda p: p[1] - p[3])
    for side in (-1, 1):
        ex, ey = hx + side * hw * 0.38, hy - hh * 0.05
        d = np.hypot((L.x - ex) / (hw * 0.16), (L.y - ey) / (hh * 0.2))
        L.over(eyes, smooth(1.0, 0.8, d))
        L.over(CREAM, smooth(0.45, 0.25, np.hypot((L.x - ex) / (hw * 0.16), (L.y - ey + hh * 0.05) / (hh * 0.2))))
    return L.image()


def flash(img):
    """A boss's damage picture: a light rim round its solid shape, wider on
    larger figures, over a faint tint that leaves its colours and face seen."""
    return damage_rim(img, max(2, round(min(img.size) / 60)))


def small_boss(body, rim, eyes):
    """64 x 64: a boss's small form before it grows (and the sample boss)."""
    L = Layer(64, 64)
    r = np.hypot((L.x - 32) / 24.0, (L.y - 34) / 23.0)
    L.over(rim * 0.6, 0.3 * smooth(1.35, 0.9, r))
    for side in (-1, 1):  # little wings
        L.polygon([(32 + side * 16, 28), (32 + side * 31, 16), (32 + side * 29, 30), (32 + side * 31, 42),
                   (32 + side * 18, 40)], NIGHT)
        L.polygon([(32 + side * 17, 29), (32 + side * 29, 19), (32 + side * 27, 30), (32 + side * 28.5, 39),
                   (32 + side * 18, 38)], rim)
    L.over(NIGHT, smooth(1.06, 0.98, r))
    L.over(body, smooth(0.98, 0.9, r))
    L.over(body * 0.6 + CREAM * 0.4, 0.4 * smooth(1.0, 0.6, np.hypot((L.x - 28) / 10.0, (L.y - 24) / 6.0)))
    for ex in (25.0, 39.0):
        d = np.hypot((L.x - ex) / 4.2, (L.y - 31) / 5.0)
        L.over(eyes, smooth(1.0, 0.8, d))
        L.over(NIGHT, smooth(0.6, 0.4, np.hypot((L.x - ex + 1) / 4.2, (L.y - 32) / 5.0)))
    return L.image()


def needle_bullet(rim_hex, core_hex):
    """24 x 12: a bullet that is turned to its direction, pointing along +x."""
    L = Layer(24, 12)
    d = np.hypot((L.x - 13) / 10.5, (L.y - 6) / 4.6)
    L.over(NIGHT, smooth(1.05, 0.95, d))
    L.over(hexrgb(rim_hex), smooth(0.9, 0.8, d))
    L.over(hexrgb(core_hex), smooth(0.55, 0.4, np.hypot((L.x - 15) / 10.5, (L.y - 6) / 4.6)))
    return L.image()


def black_bullet():
    """16 x 16: a dark bullet, read by its bright violet rim and pale outline."""
    L = Layer(16, 16)
    r = np.hypot(L.x - 8, L.y - 8)
    L.over(hexrgb('#b080ff'), 0.4 * np.exp(-((r - 6.5) / 1.5) ** 2))
    L.over(hexrgb('#f0eaff'), smooth(7.6, 6.9, r))
    L.over(hexrgb('#8a4dff'), smooth(6.6, 5.9, r))
    L.over(hexrgb('#120a24'), smooth(4.6, 3.8, r))
    return L.image()


def slash(light_hex, edge_hex):
    """64 x 64: a sword's blade of light, a thin crescent facing +x, light on
    black (drawn in the additive mode)."""
    L = Layer(64, 64)
    r1 = np.hypot(L.x - 16, L.y - 32)
    r2 = np.hypot(L.x - 5, L.y - 32)
    band = smooth(30, 27.5, r1) * smooth(24, 27, r2) * (L.x > 16)
    L.add_light(hexrgb(edge_hex), 0.9 * band)
    L.add_light(hexrgb(light_hex), band * smooth(30, 26, r2))  # brightest along the cutting edge
    return L.light_on_black()


def frying_pan():
    """32 x 32: the frying pan the sister throws, handle to the left."""
    L = Layer(32, 32)
    r = np.hypot(L.x - 19, L.y - 16)
    L.polygon([(1, 14), (9, 14.5), (9, 17.5), (1, 18)], NIGHT)
    L.polygon([(2, 15), (9, 15.4), (9, 16.6), (2, 17)], hexrgb('#8a5a30'))
    L.over(NIGHT, smooth(11.6, 10.9, r))
    L.over(hexrgb('#4a4a66'), smooth(10.8, 10.1, r))
    L.over(hexrgb('#23233a'), smooth(8.8, 8.0, r))
    L.over(LAVENDER, 0.5 * smooth(1.2, 0.4, np.abs(r - 6.5)) * (L.y < 14))
    return L.image()
