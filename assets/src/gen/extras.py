"""Pictures the game's code loads for bosses the trial stage does not use:
their bullets, blades and pans, and the damage flash every boss shares. The
bosses themselves are drawings in src/svg, composed by stage.py.
"""
import numpy as np

from paint import hexrgb, NIGHT, LAVENDER
from sprites import Layer, damage_rim, smooth


def flash(img):
    """A boss's damage picture: a light rim round its solid shape, wider on
    larger figures, over a faint tint that leaves its colours and face seen."""
    return damage_rim(img, max(2, round(min(img.size) / 60)))


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
