"""Painting helpers for MIRELUNE's computed pictures.

Everything works on float32 RGB(A) arrays in 0..1, drawn at twice the final
size and reduced at the end. Every random choice comes from a numpy
RandomState seeded by the caller, so the same seed paints the same picture.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

SS = 2  # supersampling factor


def hexrgb(h):
    h = h.lstrip('#')
    return np.array([int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4)], np.float32)


NIGHT = hexrgb('#0b0a2a')
INDIGO = hexrgb('#1c1b4f')
VIOLET = hexrgb('#3a2f6b')
LAVENDER = hexrgb('#8f8ccf')
GOLD = hexrgb('#ffd874')
CREAM = hexrgb('#fff4d2')
ROSE = hexrgb('#f29bb8')
FOREST = hexrgb('#06061a')
TEAL = hexrgb('#1d3b5e')


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w * SS, h * SS
        self.rgb = np.zeros((self.h, self.w, 3), np.float32)
        self.yy, self.xx = np.mgrid[0:self.h, 0:self.w].astype(np.float32)

    def vgradient(self, stops):
        """stops: list of (y in 0..1, colour)."""
        t = self.yy[:, :1, None] / (self.h - 1)
        out = np.zeros((self.h, 1, 3), np.float32)
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            m = (t >= y0) & (t <= y1)
            f = np.clip((t - y0) / max(y1 - y0, 1e-6), 0, 1)
            f = f * f * (3 - 2 * f)
            col = c0 * (1 - f) + c1 * f
            out = np.where(m, col, out)
        self.rgb[:] = out  # broadcasts over the width

    def add(self, colour, amount):
        self.rgb += amount[..., None] * colour

    def over(self, colour, alpha):
        a = np.clip(alpha, 0, 1)[..., None]
        self.rgb = self.rgb * (1 - a) + colour * a

    def over_rgba(self, layer):
        """layer: float RGBA array of canvas size."""
        a = layer[..., 3:4]
        self.rgb = self.rgb * (1 - a) + layer[..., :3] * a

    def image(self):
        arr = np.clip(self.rgb, 0, 1)
        img = Image.fromarray((arr * 255 + 0.5).astype(np.uint8), 'RGB')
        return img.resize((self.w // SS, self.h // SS), Image.LANCZOS)


def fractal_noise(rng, w, h, base=4, octaves=5, persistence=0.5, aspect=1.0):
    """Smooth value noise in 0..1 of size w x h; aspect > 1 stretches it sideways."""
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        gx = max(2, int(base * (2 ** o) / aspect) + 1)
        gy = max(2, int(base * (2 ** o) * h / w) + 1)
        grid = rng.random_sample((gy, gx)).astype(np.float32)
        img = Image.fromarray(grid, 'F').resize((w, h), Image.BICUBIC)
        total += amp * np.asarray(img)
        norm += amp
        amp *= persistence
    total /= norm
    lo, hi = np.percentile(total, 1), np.percentile(total, 99)
    return np.clip((total - lo) / (hi - lo + 1e-6), 0, 1)


def radial(c, cx, cy, r):
    return np.sqrt((c.xx - cx * SS) ** 2 + (c.yy - cy * SS) ** 2) / (r * SS)


def stars(c, rng, count, top, bottom, avoid=None):
    layer = np.zeros((c.h, c.w), np.float32)
    for _ in range(count):
        x = rng.uniform(0, c.w)
        y = top * SS + (rng.random_sample() ** 1.6) * (bottom - top) * SS
        b = rng.uniform(0.25, 1.0) ** 2
        if avoid is not None:
            ax, ay, ar = avoid
            if math.hypot(x - ax * SS, y - ay * SS) < ar * SS:
                continue
        s = rng.uniform(0.6, 1.5) * SS
        x0, x1 = int(max(0, x - 4 * s)), int(min(c.w, x + 4 * s + 1))
        y0, y1 = int(max(0, y - 4 * s)), int(min(c.h, y + 4 * s + 1))
        yy, xx = np.mgrid[y0:y1, x0:x1]
        d2 = ((xx - x) ** 2 + (yy - y) ** 2) / (s * s)
        layer[y0:y1, x0:x1] += b * np.exp(-d2)
        if b > 0.7:  # a few bright stars get a faint cross
            layer[y0:y1, x0:x1] += 0.25 * b * (np.exp(-((yy - y) / (0.5 * s)) ** 2 - ((xx - x) / (4 * s)) ** 2)
                                              + np.exp(-((xx - x) / (0.5 * s)) ** 2 - ((yy - y) / (4 * s)) ** 2))
    c.add(np.array([0.85, 0.88, 1.0], np.float32), np.clip(layer, 0, 1.2))


def moon(c, rng, cx, cy, r, halo=1.0):
    d = radial(c, cx, cy, r)
    # halo: wide soft gold, then tight cream
    c.add(GOLD * 0.55 + ROSE * 0.1, halo * 0.35 * np.exp(-((d - 1).clip(0)) * 1.4) * (d > 0.98))
    c.add(CREAM, halo * 0.25 * np.exp(-((d - 1).clip(0)) * 5.0) * (d > 0.98))
    disk = np.clip((1.0 - d) * r * SS * 0.8, 0, 1)
    patches = fractal_noise(rng, c.w, c.h, base=int(800 / r), octaves=4)
    shade = 1.0 - 0.3 * np.clip(patches * 1.8 - 0.7, 0, 1) - 0.10 * d ** 4
    col = (CREAM[None, None] * shade[..., None] * 0.85 + GOLD[None, None] * (1 - shade[..., None] + 0.15))
    a = disk[..., None]
    c.rgb = c.rgb * (1 - a) + np.clip(col, 0, 1) * a


def treeline(rng, width, base_y, min_h, max_h, count, jag=0.5, slim=(0.22, 0.34), tiers=0):
    """Heights of a conifer skyline: for each x (canvas pixels) the top y.
    With tiers, each tree's outline steps out in that many rows of branches."""
    top = np.full(width, float(base_y), np.float32)
    xs = np.arange(width, dtype=np.float32)
    ts = np.linspace(0, 1, 96, dtype=np.float32)  # height above the base, 0..1 of the tree
    for _ in range(count):
        x = rng.uniform(-40, width + 40)
        h = rng.uniform(min_h, max_h)
        half = h * rng.uniform(*slim)
        if tiers:
            n = tiers + rng.randint(0, 3)
            reach = half * (1 - ts) * (0.55 + 0.45 * (1 - np.mod(ts * n, 1.0)))
            x0, x1 = int(max(0, x - half - 1)), int(min(width, x + half + 2))
            if x1 <= x0:
                continue
            dx = np.abs(xs[x0:x1] - x)
            inside = reach[None, :] >= dx[:, None]
            tmax = np.where(inside.any(1), (inside * ts[None, :]).max(1), -1.0)
            prof = np.where(tmax >= 0, base_y - tmax * h, base_y)
            top[x0:x1] = np.minimum(top[x0:x1], prof)
            continue
        prof = base_y - h + np.abs(xs - x) / half * h
        # branch tiers make the edge ragged
        prof += jag * 6 * np.sin((xs - x) * 0.9 + rng.uniform(0, 6)) * (np.abs(xs - x) < half)
        top = np.minimum(top, prof)
    return top


def fill_below(c, top, colour, alpha=1.0, soft=1.5):
    edge = np.clip((c.yy - top[None, :]) / soft + 0.5, 0, 1)
    c.over(colour, edge * alpha)


def bat_polygon(cx, cy, s, flap):
    """A bat silhouette as polygon points; flap in -1..1 lifts the wings."""
    pts = []
    lift = flap * 0.5
    wing = [(0.0, -0.1), (0.35, -0.35 - lift), (0.7, -0.45 - lift), (1.0, -0.3 - lift),
            (0.82, -0.05 - lift * 0.4), (0.7, 0.05), (0.55, -0.02), (0.42, 0.12), (0.28, 0.02),
            (0.15, 0.18)]
    body = [(0.0, 0.3)]
    right = [(x, y) for x, y in wing]
    left = [(-x, y) for x, y in reversed(wing)]
    ears = [(-0.1, -0.18), (-0.08, -0.32), (-0.03, -0.2), (0.03, -0.2), (0.08, -0.32), (0.1, -0.18)]
    pts = left[:-1] + ears + right[1:] + body
    return [(cx + x * s, cy + y * s) for x, y in pts]


def draw_bats(c, rng, n, box, size, colour, alpha=1.0):
    x0, y0, x1, y1 = box
    mask = Image.new('L', (c.w, c.h), 0)
    d = ImageDraw.Draw(mask)
    for _ in range(n):
        s = rng.uniform(*size) * SS
        cx = rng.uniform(x0, x1) * SS
        cy = rng.uniform(y0, y1) * SS
        d.polygon(bat_polygon(cx, cy, s, rng.uniform(-1, 1)), fill=255)
    m = np.asarray(mask.filter(ImageFilter.GaussianBlur(0.6 * SS)), np.float32) / 255.0
    c.over(colour, m * alpha)
