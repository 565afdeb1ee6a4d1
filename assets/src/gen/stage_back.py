"""The trial stage's scrolling background: one long night picture, 12000 x 480,
which the stage shows 800 pixels at a time, moving one pixel a frame.

From left to right: the lake shore under the rising moon where Shiro catches
up with the bats, the edge of the forest, the forest itself (first young
pines, a clearing under moonbeams where the stage takes a breath, then old
trees and deep mist), the iron fence and dead trees of the manor's grounds,
and at the far end, where the window stops as the boss arrives, his
bat-winged manor under the full moon.

The middle of the picture (where bullets fly) is kept dark and calm: bright
things are small (stars, windows, fireflies) or low on the horizon. Painted
once at full size (no supersampling: it is a photograph-like JPEG anyway);
every random choice comes from one seed.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from paint import hexrgb, NIGHT, INDIGO, VIOLET, LAVENDER, GOLD, CREAM, ROSE, FOREST, TEAL

W, H = 12000, 480
HORIZON = 350  # where the lake meets the far shore

# the stage's parts along x (the stage script's waves come in the same order)
SHORE_END = 1900      # lake and shore until here, the forest edge begins
CLEARING = (5100, 6300)  # the clearing: the first breath
GROUNDS = 9600        # the manor's grounds begin: fence and dead trees
MANOR_X = 11560       # the manor's centre, behind the boss's post at the end


def smoothstep(e0, e1, v):
    t = np.clip((v - e0) / (e1 - e0), 0, 1)
    return t * t * (3 - 2 * t)


def noise1d(rng, n, scale, octaves=4):
    """Smooth 1-D noise in -1..1 with features about `scale` pixels long."""
    out = np.zeros(n, np.float32)
    amp, norm = 1.0, 0.0
    xs = np.arange(n, dtype=np.float32)
    for o in range(octaves):
        step = max(2.0, scale / (2 ** o))
        k = int(n / step) + 3
        pts = rng.uniform(-1, 1, k).astype(np.float32)
        out += amp * np.interp(xs / step, np.arange(k), pts)
        norm += amp
        amp *= 0.5
    return out / norm


def noise2d(rng, w, h, cell_x, cell_y, octaves=4):
    """Smooth 2-D value noise in 0..1, cells of about cell_x x cell_y pixels."""
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        gx = max(2, int(w / (cell_x / 2 ** o)) + 2)
        gy = max(2, int(h / (cell_y / 2 ** o)) + 2)
        grid = rng.random_sample((gy, gx)).astype(np.float32)
        total += amp * np.asarray(Image.fromarray(grid, 'F').resize((w, h), Image.BICUBIC))
        norm += amp
        amp *= 0.5
    total /= norm
    lo, hi = np.percentile(total[::4, ::16], 1), np.percentile(total[::4, ::16], 99)
    return np.clip((total - lo) / (hi - lo + 1e-6), 0, 1)


class Strip:
    """The picture as float RGB rows; layers are painted over it in order."""

    def __init__(self):
        self.rgb = np.zeros((H, W, 3), np.float32)
        self.y = np.arange(H, dtype=np.float32)[:, None]
        self.x = np.arange(W, dtype=np.float32)[None, :]

    def over(self, colour, alpha):
        a = np.clip(alpha, 0, 1)
        if a.ndim == 2:
            a = a[..., None]
        self.rgb *= 1 - a
        self.rgb += a * colour

    def add(self, colour, amount):
        a = amount if amount.ndim == 3 else amount[..., None]
        self.rgb += a * colour

    def below(self, top, colour, alpha=1.0, soft=1.2):
        """Fills everything below a skyline (top y for every x)."""
        self.over(colour, np.clip((self.y - top[None, :]) / soft + 0.5, 0, 1) * alpha)


def sky(s, rng):
    t = s.y / HORIZON
    top, mid, low = NIGHT, INDIGO, hexrgb('#3b3378')
    col = np.where((t < 0.5)[..., None], top + (mid - top) * smoothstep(0, 0.5, t)[..., None],
                   mid + (low - mid) * smoothstep(0.5, 1.0, t)[..., None])
    s.rgb[:] = col
    # towards the manor the low sky warms to a dusky crimson
    warm = smoothstep(GROUNDS - 1500, MANOR_X, s.x) * smoothstep(0.3, 1.0, t)
    s.add(hexrgb('#5a1a3a') * 0.55, warm * np.ones_like(s.y))
    # stars, fewer low down
    n = 2600
    xs = rng.uniform(0, W, n)
    ys = (rng.random_sample(n) ** 1.7) * (HORIZON - 40)
    bs = rng.uniform(0.2, 1.0, n) ** 2
    layer = np.zeros((H, W), np.float32)
    for x, y, b in zip(xs, ys, bs):
        x0, y0 = int(x) - 3, int(y) - 3
        if x0 < 0 or x0 + 7 > W or y0 < 0:
            continue
        yy, xx = np.mgrid[y0:y0 + 7, x0:x0 + 7]
        layer[y0:y0 + 7, x0:x0 + 7] += b * np.exp(-((xx - x) ** 2 + (yy - y) ** 2) / 0.9)
    s.add(np.array([0.85, 0.88, 1.0], np.float32), np.clip(layer, 0, 1.2) * np.ones((1, 1), np.float32))


def moon(s, rng, cx, cy, r, halo=1.0):
    x0, x1 = int(max(0, cx - 6 * r)), int(min(W, cx + 6 * r))
    sub = s.rgb[:, x0:x1]
    yy = s.y
    xx = s.x[:, x0:x1]
    d = np.sqrt((xx - cx) ** 2 + (yy - cy) ** 2) / r
    glow = halo * (0.32 * np.exp(-np.clip(d - 1, 0, None) * 1.3) + 0.2 * np.exp(-np.clip(d - 1, 0, None) * 5))
    sub += (glow * (d > 0.98))[..., None] * (GOLD * 0.55 + ROSE * 0.12)
    disk = np.clip((1.0 - d) * r * 0.8, 0, 1)
    spots = noise2d(rng, x1 - x0, H, r * 0.7, r * 0.7, 3)
    shade = 1.0 - 0.28 * np.clip(spots * 1.8 - 0.7, 0, 1) - 0.1 * d ** 4
    col = CREAM * shade[..., None] * 0.86 + GOLD * (1.15 - shade[..., None])
    a = disk[..., None]
    s.rgb[:, x0:x1] = sub * (1 - a) + np.clip(col, 0, 1) * a


def conifers(rng, base, min_h, max_h, density, x_from=0, x_to=W, tiers=5, slim=(0.2, 0.3)):
    """Top y of a line of tiered conifers, for every x; `base` may vary along x."""
    top = np.full(W, np.inf, np.float32)
    ts = np.linspace(0, 1, 80, dtype=np.float32)
    count = int((x_to - x_from) / 100 * density)
    for _ in range(count):
        x = rng.uniform(x_from - 40, x_to + 40)
        b = base[int(np.clip(x, 0, W - 1))]
        h = rng.uniform(min_h, max_h)
        half = h * rng.uniform(*slim)
        n = tiers + rng.randint(0, 3)
        reach = half * (1 - ts) * (0.55 + 0.45 * (1 - np.mod(ts * n, 1.0)))
        a, z = int(max(0, x - half - 1)), int(min(W, x + half + 2))
        if z <= a:
            continue
        dx = np.abs(np.arange(a, z, dtype=np.float32) - x)
        inside = reach[None, :] >= dx[:, None]
        tmax = np.where(inside.any(1), (inside * ts[None, :]).max(1), -1.0)
        prof = np.where(tmax >= 0, b - tmax * h, np.inf)
        top[a:z] = np.minimum(top[a:z], prof)
    return top


def dead_trees(draw, rng, x_from, x_to, base, count, colour):
    """Bare, crooked trees drawn as branching lines (the manor's grounds)."""
    def branch(x, y, ang, length, width, depth):
        if depth == 0 or length < 4:
            return
        x2, y2 = x + length * math.cos(ang), y + length * math.sin(ang)
        draw.line([(x, y), (x2, y2)], fill=colour, width=max(1, int(width)))
        for _ in range(2):
            branch(x2, y2, ang + rng.uniform(-0.7, 0.7), length * rng.uniform(0.55, 0.75), width * 0.65, depth - 1)
    for _ in range(count):
        x = rng.uniform(x_from, x_to)
        branch(x, base, -math.pi / 2 + rng.uniform(-0.15, 0.15), rng.uniform(50, 110), rng.uniform(6, 10), 6)


def manor(draw, cx, ground, colour, window, rng):
    """The bat-winged manor: a long hall, two towers with pointed roofs, a tall
    middle tower with a bat weather vane, wings swept like a bat's."""
    c = colour
    # the swept "wing" roofs on both sides
    for side in (-1, 1):
        pts = [(cx + side * 60, ground - 150), (cx + side * 300, ground - 210), (cx + side * 280, ground - 170),
               (cx + side * 330, ground - 175), (cx + side * 300, ground - 130), (cx + side * 340, ground - 120),
               (cx + side * 340, ground), (cx + side * 60, ground)]
        draw.polygon(pts, fill=c)
    # the hall
    draw.rectangle([cx - 220, ground - 140, cx + 220, ground], fill=c)
    for side in (-1, 1):  # towers
        tx = cx + side * 170
        draw.rectangle([tx - 34, ground - 230, tx + 34, ground], fill=c)
        draw.polygon([(tx - 44, ground - 226), (tx, ground - 320), (tx + 44, ground - 226)], fill=c)
    draw.rectangle([cx - 46, ground - 280, cx + 46, ground], fill=c)
    draw.polygon([(cx - 58, ground - 276), (cx, ground - 410), (cx + 58, ground - 276)], fill=c)
    draw.line([(cx, ground - 410), (cx, ground - 440)], fill=c, width=4)
    # bat weather vane
    vx, vy = cx, ground - 446
    draw.polygon([(vx - 26, vy - 6), (vx - 12, vy + 2), (vx - 4, vy - 2), (vx, vy - 8), (vx + 4, vy - 2),
                  (vx + 12, vy + 2), (vx + 26, vy - 6), (vx + 16, vy + 8), (vx, vy + 4), (vx - 16, vy + 8)], fill=c)
    # windows: warm gold, a few rose; arched tops
    spots = []
    for row, y0 in enumerate((ground - 120, ground - 70)):
        for i in range(-9, 10):
            if abs(i) in (4, 5):
                continue
            spots.append((cx + i * 22, y0, 7, 16))
    for side in (-1, 1):
        for y0 in (ground - 210, ground - 170):
            spots.append((cx + side * 170, y0, 8, 18))
    spots.append((cx, ground - 250, 10, 22))
    spots.append((cx, ground - 200, 10, 22))
    for x, y, w2, h2 in spots:
        col = window if rng.random_sample() > 0.25 else window // 2  # some rooms dimmer
        draw.rectangle([x - w2 // 2, y, x + w2 // 2, y + h2], fill=col)
        draw.ellipse([x - w2 // 2, y - w2 // 2, x + w2 // 2, y + w2 // 2], fill=col)
    # the doors
    draw.rectangle([cx - 18, ground - 40, cx + 18, ground], fill=window // 2)
    draw.ellipse([cx - 18, ground - 58, cx + 18, ground - 22], fill=window // 2)
    draw.line([(cx, ground - 56), (cx, ground)], fill=c, width=2)


def paint(seed=41):
    rng = np.random.RandomState(seed)
    s = Strip()
    sky(s, rng)
    moon(s, rng, 640, 120, 46)
    moon(s, rng, MANOR_X - 180, 130, 74, halo=1.25)
    # thin cloud bands
    cl = noise2d(rng, W, H, 900, 120, 4)
    band = np.exp(-((s.y - 150) / 80.0) ** 2)
    s.add(LAVENDER * 0.45 + ROSE * 0.08, 0.2 * np.clip(cl * 1.8 - 0.95, 0, 1) * band)

    x = np.arange(W, dtype=np.float32)
    forest = smoothstep(SHORE_END - 700, SHORE_END + 300, x)  # 0 on the shore, 1 in the forest
    clearing = smoothstep(CLEARING[0] - 200, CLEARING[0] + 200, x) * (1 - smoothstep(CLEARING[1] - 200, CLEARING[1] + 200, x))
    grounds = smoothstep(GROUNDS - 300, GROUNDS + 300, x)
    deep = smoothstep(6600, 7400, x) * (1 - grounds)  # the old, dark part of the forest

    # far hills all along, hazy
    far = HORIZON - 30 - 40 * (noise1d(rng, W, 700) * 0.5 + 0.5) - 30 * forest
    s.below(far, hexrgb('#2b2660'), 0.95, 2.0)
    # far pines: low on the shore, a wall in the forest (lower in the clearing and the grounds)
    base_far = np.full(W, HORIZON + 4, np.float32)
    h_scale = 0.35 + 0.65 * forest * (1 - 0.6 * clearing) * (1 - 0.5 * grounds)
    top = conifers(rng, base_far, 40, 120, 9)
    top = base_far - (base_far - np.minimum(top, base_far)) * h_scale
    s.below(top, hexrgb('#221d52'), 1.0)
    mist = noise2d(rng, W, H, 600, 60, 4)
    s.over(LAVENDER * 0.7 + VIOLET * 0.3, 0.55 * np.exp(-((s.y - HORIZON + 20) / 30.0) ** 2) * np.clip(mist * 1.5 - 0.2, 0, 1))

    # the lake along the shore
    water = (s.y >= HORIZON) * (1 - forest[None, :])
    wy = np.clip((s.y - HORIZON) / (H - HORIZON), 0, 1)
    water_col = TEAL * (0.55 - 0.35 * wy[..., None]) + INDIGO * 0.4
    s.over(water_col, water)
    ripple = noise2d(rng, 2400, H, 240, 14, 5)
    ripple = np.tile(ripple, (1, W // 2400 + 1))[:, :W]
    col = np.exp(-((s.x - 640) / (46 * (0.8 + 1.6 * wy))) ** 2)
    streak = np.clip(np.sin(s.y * 0.9 + ripple * 14) * 0.5 + 0.5, 0, 1) ** 3
    s.add(GOLD * 0.8 + CREAM * 0.2, 0.75 * col * streak * water * (1 - 0.5 * wy))
    s.add(LAVENDER * 0.4, 0.12 * np.clip(ripple * 2 - 1.2, 0, 1) * water)

    # middle forest: taller pines, from the forest edge on
    base_mid = np.full(W, 420, np.float32) - 20 * noise1d(rng, W, 500)
    top = conifers(rng, base_mid, 110, 260, 6, SHORE_END - 500, GROUNDS + 200, tiers=6)
    top = np.where(clearing > 0.5, np.maximum(top, base_mid - 60), top)
    s.below(top, hexrgb('#161338'), 1.0)
    band = np.exp(-((s.y - 400) / 40.0) ** 2)
    m2 = noise2d(rng, W, H, 500, 50, 4)
    s.over(LAVENDER * 0.6 + VIOLET * 0.4, (0.35 + 0.35 * deep[None, :]) * band * np.clip(m2 * 1.4, 0, 1))

    # moonbeams slanting through the clearing
    for k in range(7):
        x0 = rng.uniform(CLEARING[0] + 100, CLEARING[1] - 100)
        beam = np.exp(-((s.x - x0 + (s.y - 0) * 0.45) / rng.uniform(10, 26)) ** 2)
        s.add(CREAM * 0.6 + GOLD * 0.4, 0.07 * beam * smoothstep(0, 200, s.y) * clearing[None, :])

    # the manor's grounds: bare trees, the manor itself, an iron fence
    layer = Image.new('L', (W, H), 0)
    d = ImageDraw.Draw(layer)
    dead_trees(d, rng, GROUNDS, MANOR_X - 500, 440, 26, 255)
    manor(d, MANOR_X, 438, 255, 255, rng)
    m = np.asarray(layer.filter(ImageFilter.GaussianBlur(0.6)), np.float32) / 255.0
    s.over(hexrgb('#0d0a22'), m)
    # lit windows: paint them again in gold
    win = Image.new('L', (W, H), 0)
    manor(ImageDraw.Draw(win), MANOR_X, 438, 0, 255, np.random.RandomState(seed + 1))
    wm = np.asarray(win, np.float32) / 255.0
    glow = np.asarray(win.filter(ImageFilter.GaussianBlur(6)), np.float32) / 255.0
    s.add(GOLD * 0.7 + ROSE * 0.3, 0.6 * glow)
    s.over(hexrgb('#ffcf70'), wm * 0.95)

    # the ground: a dark bank with bushes along the bottom, a pale path in the forest
    xs = x
    bush = 452 - 10 * np.sin(xs * 0.013 + 1.0) - 7 * np.abs(np.sin(xs * 0.061)) - 8 * noise1d(rng, W, 120)
    bush = np.where(forest > 0.3, bush, np.maximum(bush, 466 - 4 * np.sin(xs * 0.02)))  # low reeds by the lake
    s.below(bush, hexrgb('#0c0a24'), 1.0, 1.5)
    # fence along the grounds, in front of the bushes
    fence = Image.new('L', (W, H), 0)
    fd = ImageDraw.Draw(fence)
    for fx in range(GROUNDS + 200, W, 18):
        fd.line([(fx, 470), (fx, 428)], fill=255, width=3)
        fd.polygon([(fx - 4, 430), (fx, 420), (fx + 4, 430)], fill=255)
    fd.line([(GROUNDS + 200, 440), (W, 440)], fill=255, width=3)
    fd.line([(GROUNDS + 200, 458), (W, 458)], fill=255, width=2)
    s.over(FOREST, np.asarray(fence, np.float32) / 255.0)

    # near pines standing low along the bottom of the forest, darkest of all
    base_near = np.full(W, 478, np.float32)
    top = conifers(rng, base_near, 50, 150, 1.6, SHORE_END + 100, GROUNDS - 100, tiers=5, slim=(0.22, 0.3))
    top = np.where((x > CLEARING[0] - 100) & (x < CLEARING[1] + 100), np.inf, top)
    s.below(top, FOREST, 1.0)
    # fireflies in the forest and the clearing: tiny gold points low down
    ff = np.zeros((H, W), np.float32)
    for _ in range(420):
        fx = rng.uniform(SHORE_END, GROUNDS)
        fy = rng.uniform(300, 450)
        a, z = int(fx) - 4, int(fx) + 5
        b, e = int(fy) - 4, int(fy) + 5
        yy, xx = np.mgrid[b:e, a:z]
        ff[b:e, a:z] += rng.uniform(0.3, 1.0) * np.exp(-((xx - fx) ** 2 + (yy - fy) ** 2) / 2.5)
    s.add(GOLD * 0.8 + CREAM * 0.2, np.clip(ff, 0, 1))

    # bats circling the manor's towers, far away
    bats = Image.new('L', (W, H), 0)
    bd = ImageDraw.Draw(bats)
    for _ in range(40):
        bx = rng.uniform(MANOR_X - 500, MANOR_X + 420)
        by = rng.uniform(40, 240)
        sz = rng.uniform(5, 10)
        f = rng.uniform(-1, 1) * 0.5
        bd.polygon([(bx - sz, by - sz * (0.4 + f)), (bx - sz * 0.4, by - sz * 0.1), (bx, by - sz * 0.35),
                    (bx + sz * 0.4, by - sz * 0.1), (bx + sz, by - sz * (0.4 + f)), (bx + sz * 0.5, by + sz * 0.25),
                    (bx, by + sz * 0.2), (bx - sz * 0.5, by + sz * 0.25)], fill=255)
    s.over(hexrgb('#0a0820'), np.asarray(bats, np.float32) / 255.0)

    # keep the field calm: a gentle darkening of the band where the fight happens
    calm = np.exp(-((s.y - 230) / 170.0) ** 2)
    s.rgb *= 1 - 0.12 * calm[..., None]

    img = np.clip(s.rgb, 0, 1)
    return Image.fromarray((img * 255 + 0.5).astype(np.uint8), 'RGB')
