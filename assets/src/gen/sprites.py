"""The small computed pictures of the stage: enemy bullets, beams, the laser,
flame particles, explosions, the bomb's charge ring and the items.

Every picture is painted on float RGBA arrays (0..1) at K times its size and
reduced at the end. Pictures meant for the additive mode are "light on
black": their colour is already multiplied by their alpha, so they glow
the same whether the game adds them or blends them. Seeded where random.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from paint import hexrgb, NIGHT, GOLD, CREAM, ROSE, LAVENDER

K = 8  # supersampling of the small sprites


def grid(w, h, k=K):
    """Pixel-centre coordinates of a w x h picture painted at k times its size."""
    yy, xx = np.mgrid[0:h * k, 0:w * k].astype(np.float32)
    return (xx + 0.5) / k, (yy + 0.5) / k


def reduce(rgba, w, h, k=K):
    """Box-filters a (h*k, w*k, 4) premultiplied layer down to w x h and
    returns a straight-alpha RGBA image."""
    small = rgba.reshape(h, k, w, k, 4).mean(axis=(1, 3))
    a = small[..., 3:4]
    rgb = np.where(a > 1e-4, small[..., :3] / np.maximum(a, 1e-4), 0)
    out = np.concatenate([np.clip(rgb, 0, 1), np.clip(a, 0, 1)], axis=2)
    return Image.fromarray((out * 255 + 0.5).astype(np.uint8), 'RGBA')


class Layer:
    """A premultiplied RGBA painting surface at k times the picture size
    (large pictures take a smaller k)."""

    def __init__(self, w, h, k=K):
        self.w, self.h, self.k = w, h, k
        self.px = np.zeros((h * k, w * k, 4), np.float32)
        self.x, self.y = grid(w, h, k)

    def over(self, colour, alpha):
        a = np.clip(alpha, 0, 1)[..., None]
        src = np.concatenate([np.broadcast_to(colour, self.px.shape[:2] + (3,)) * a, a], axis=2)
        self.px = src + self.px * (1 - a)

    def add_light(self, colour, amount):
        """Adds light: colour and coverage both grow (a glow on nothing is still seen)."""
        a = np.clip(amount, 0, 1)[..., None]
        self.px[..., :3] += np.broadcast_to(colour, self.px.shape[:2] + (3,)) * a
        self.px[..., 3:4] = 1 - (1 - self.px[..., 3:4]) * (1 - a)
        self.px[..., :3] = np.minimum(self.px[..., :3], self.px[..., 3:4])

    def polygon(self, points, colour, alpha=1.0):
        mask = Image.new('L', (self.w * self.k, self.h * self.k), 0)
        ImageDraw.Draw(mask).polygon([(x * self.k, y * self.k) for x, y in points], fill=255)
        self.over(colour, np.asarray(mask, np.float32) / 255.0 * alpha)

    def image(self):
        return reduce(self.px, self.w, self.h, self.k)

    def light_on_black(self):
        """For pictures drawn in the additive mode, which ignores a texel's own
        alpha and adds its colour: the colour is stored already multiplied by
        the coverage, so a faint texel adds faint light and an empty one none."""
        img = np.array(self.image()).astype(np.float32)
        img[..., :3] *= img[..., 3:4] / 255.0
        return Image.fromarray((img + 0.5).astype(np.uint8), 'RGBA')

    def on_black(self):
        """The picture composited on opaque black, for colour-keyed sheets:
        where nothing was painted the pixel is exactly 0xFF000000 (keyed out),
        elsewhere it keeps its colour and coverage."""
        img = np.array(self.image())
        empty = img[..., 3] == 0
        img[empty] = (0, 0, 0, 255)
        # a painted pixel must never be exact opaque black, or the key would punch a hole in it
        dark = (~empty) & (img[..., 0] == 0) & (img[..., 1] == 0) & (img[..., 2] == 0) & (img[..., 3] == 255)
        img[dark, 2] = 1
        return Image.fromarray(img, 'RGBA')


def smooth(edge0, edge1, v):
    t = np.clip((v - edge0) / (edge1 - edge0), 0, 1)
    return t * t * (3 - 2 * t)


# Enemy bullet colours: a saturated rim around a pale core, outlined in night
# indigo so they read on the bright moon and on the dark forest alike.
BULLET_COLOURS = {
    'red': ('#ff2e58', '#ffd0dc'),
    'ice': ('#38d6ff', '#e4fbff'),
    'green': ('#2eea7a', '#dcffe9'),
    'yerrow': ('#ff9f1a', '#fff0c8'),
    'blue': ('#4a5cff', '#dfe4ff'),
}


def small_bullet(name):
    """16 x 16: a round bullet with a white-hot core."""
    rim, core = (hexrgb(c) for c in BULLET_COLOURS[name])
    s = 16
    L = Layer(s, s)
    r = np.hypot(L.x - s / 2, L.y - s / 2)
    L.over(hexrgb(BULLET_COLOURS[name][0]) * 0.6, 0.35 * np.exp(-((r - 6.0) / 1.6) ** 2) * (r > 6))  # halo
    L.over(NIGHT, smooth(7.6, 6.9, r))  # dark outline
    L.over(rim, smooth(6.6, 5.9, r))
    L.over(core, smooth(4.4, 3.4, r))
    L.over(np.ones(3, np.float32), smooth(2.4, 1.4, r))
    return L.image()


def large_bullet(name):
    """24 x 24: a larger bullet read as a lit ring with a bright heart."""
    rim, core = (hexrgb(c) for c in BULLET_COLOURS[name])
    s = 24
    L = Layer(s, s)
    r = np.hypot(L.x - s / 2, L.y - s / 2)
    L.over(rim * 0.7, 0.35 * np.exp(-((r - 9.5) / 2.0) ** 2) * (r > 9.5))
    L.over(NIGHT, smooth(11.4, 10.6, r))
    L.over(rim, smooth(10.2, 9.4, r))
    L.over(rim * 0.55 + core * 0.45, smooth(7.2, 6.4, r) * 0.9)  # paler inside the ring
    L.over(core, smooth(5.4, 4.4, r))
    L.over(np.ones(3, np.float32), smooth(2.8, 1.8, r))
    # a sparkle cross on the heart
    L.over(np.ones(3, np.float32), 0.7 * np.exp(-((L.x - 12) / 0.6) ** 2 - ((L.y - 12) / 4.0) ** 2))
    L.over(np.ones(3, np.float32), 0.7 * np.exp(-((L.y - 12) / 0.6) ** 2 - ((L.x - 12) / 4.0) ** 2))
    return L.image()


def beam_unit():
    """32 x 32: one segment of a homing beam, a magenta spindle along +x,
    light on black."""
    s = 32
    L = Layer(s, s)
    dx, dy = L.x - 16, L.y - 16
    body = np.exp(-(dx / 9.0) ** 2 - (dy / 3.6) ** 2)
    heart = np.exp(-(dx / 5.0) ** 2 - (dy / 1.6) ** 2)
    halo = np.exp(-(dx / 13.0) ** 2 - (dy / 7.0) ** 2)
    L.add_light(hexrgb('#a02cff'), 0.45 * halo)
    L.add_light(hexrgb('#ff4fd8'), 0.9 * body)
    L.add_light(hexrgb('#fff0ff'), 1.0 * heart)
    return L.light_on_black()


def flare(outer='#ff3a1a', middle='#ffa030', heart='#fff2c0'):
    """32 x 32: a soft flame particle, light on black (the fire balls add
    many of them)."""
    s = 32
    L = Layer(s, s)
    r = np.hypot(L.x - 16, L.y - 16)
    L.add_light(hexrgb(outer), 0.55 * np.exp(-(r / 10.0) ** 2))
    L.add_light(hexrgb(middle), 0.85 * np.exp(-(r / 6.0) ** 2))
    L.add_light(hexrgb(heart), 0.95 * np.exp(-(r / 2.8) ** 2))
    return L.light_on_black()


def lazer():
    """16 x 4: the laser, stretched sideways and upwards by the game. The two
    middle rows (where it hurts) are white-hot; the outer rows are a faint
    rose, so the stretched beam fades out towards its edges."""
    img = np.zeros((4, 16, 4), np.float32)
    rows = [(hexrgb('#ff3f8a'), 0.3), (hexrgb('#ffc0e0'), 1.0), (hexrgb('#ffc0e0'), 1.0), (hexrgb('#ff3f8a'), 0.3)]
    for y, (col, a) in enumerate(rows):
        img[y, :, :3] = col * a  # light on black: colour already multiplied by coverage
        img[y, :, 3] = a
    return Image.fromarray((img * 255 + 0.5).astype(np.uint8), 'RGBA')


def explosion_sheet(seed):
    """64 x 768: twelve 64 x 64 cells, top to bottom, of a burst of moonlit
    fire: a white flash, a gold-and-rose ball with sparks, then smoke rings
    that fade. On opaque black (keyed out by the game)."""
    rng = np.random.RandomState(seed)
    s, n = 64, 12
    sparks = [(rng.uniform(0, 2 * math.pi), rng.uniform(0.6, 1.0), rng.uniform(0.8, 1.6)) for _ in range(14)]
    wob = rng.uniform(0, 2 * math.pi, 5)
    sheet = Image.new('RGBA', (s, s * n), (0, 0, 0, 255))
    for f in range(n):
        t = f / (n - 1)
        L = Layer(s, s)
        dx, dy = L.x - 32, L.y - 32
        r = np.hypot(dx, dy)
        ang = np.arctan2(dy, dx)
        edge = 1 + 0.05 * sum(np.sin(ang * (k + 3) + wob[k]) for k in range(3))
        radius = (6 + 22 * (1 - (1 - t) ** 2)) * edge
        life = 1 - t
        # the ball: gold turning rose, then violet smoke, hollowing into a ring as it grows
        hue = GOLD * max(0.0, 1 - 2 * t) + ROSE * (1 - abs(2 * t - 1)) + hexrgb('#6a5a9a') * max(0.0, 2 * t - 1)
        hollow = smooth(radius * (0.1 + 0.7 * t), radius * (0.3 + 0.65 * t), r) if t > 0.3 else 1.0
        L.over(hue, smooth(radius, radius * 0.6, r) * np.clip(1.35 - 1.1 * t, 0, 1) * hollow)
        L.over(LAVENDER * 0.6 + CREAM * 0.4, smooth(radius * 1.02, radius * 0.9, r) * smooth(radius * 0.75, radius * 0.9, r)
               * 0.85 * np.clip(1.35 - t, 0, 1))  # the last cell still shows a thin ring
        L.over(GOLD * 0.5 + CREAM * 0.5, smooth(radius * 0.7, radius * 0.15, r) * np.clip(1.2 - 2.0 * t, 0, 1))
        L.over(CREAM, smooth(radius * 0.45, 0, r) * np.clip(1.0 - 2.5 * t, 0, 1))
        # sparks flying out
        for a0, sp, sz in sparks:
            d = (8 + 30 * sp * t ** 0.7)
            px, py = 32 + d * math.cos(a0), 32 + d * math.sin(a0)
            L.over(GOLD * 0.6 + CREAM * 0.4, np.exp(-(((L.x - px) ** 2 + (L.y - py) ** 2) / (sz * sz))) * life * 0.95)
        sheet.paste(L.on_black(), (0, f * s))
    return sheet


def damage_rim(img, width, colour=(255, 236, 242), tint=64):
    """A hit picture drawn over a figure: a light rim along the inside of its
    solid outline (width pixels), a one-pixel glow just outside, and a faint
    tint over the rest, so the figure's own colours and face stay readable
    under it. A faint aura is not solid and gets nothing."""
    solid = np.asarray(img)[..., 3] >= 160
    mask = Image.fromarray(solid.astype(np.uint8) * 255, 'L')
    inner = np.asarray(mask.filter(ImageFilter.MinFilter(2 * width + 1))) > 0
    outer = np.asarray(mask.filter(ImageFilter.MaxFilter(3))) > 0
    alpha = np.where(solid & ~inner, 255, np.where(solid, tint, np.where(outer, 120, 0))).astype(np.uint8)
    arr = np.zeros(solid.shape + (4,), np.uint8)
    arr[..., :3] = colour
    arr[..., 3] = alpha
    return Image.fromarray(arr, 'RGBA')


def hit_marker(w, h):
    """The marker of the player's hit rectangle, shown while the slow button
    is held: the game stretches it over the rectangle, so it is drawn at the
    unscaled size. A moon-cream frame with a night-indigo edge (it reads on
    the moon as on the forest), a faint fill and a bright heart."""
    arr = np.zeros((h, w, 4), np.uint8)
    arr[...] = (255, 244, 210, 56)
    arr[1:-1, 1:-1][[0, -1], :] = (255, 250, 235, 255)
    arr[1:-1, 1:-1][:, [0, -1]] = (255, 250, 235, 255)
    arr[[0, -1], :] = (11, 10, 42, 200)
    arr[:, [0, -1]] = (11, 10, 42, 200)
    cy, cx = h // 2, w // 2
    arr[cy - 2:cy + 2, cx - 2:cx + 2] = (255, 250, 235, 230)
    return Image.fromarray(arr, 'RGBA')


def bomb_ring(shrink):
    """192 x 192: the charge ring of Shiro's bomb, a full moon's halo drawn in
    gold with rabbit-ear marks; the game shrinks it onto her at alpha 100.
    On opaque black (keyed out)."""
    s = 192
    L = Layer(s, s)
    dx, dy = L.x - 96, L.y - 96
    # Shrunk as Shiro's drawing is (shrink), so the ring keeps its size
    # against her body as it closes in.
    r = np.hypot(dx, dy) / shrink
    L.over(GOLD * 0.5 + ROSE * 0.5, smooth(94, 91, r) * smooth(70, 82, r) * 0.7)
    L.over(CREAM, smooth(92, 89.5, r) * smooth(85, 87.5, r))
    L.over(GOLD, smooth(80, 78, r) * smooth(74, 76, r))
    # twelve moon marks around the ring
    for k in range(12):
        a = k * math.pi / 6
        cx, cy = 96 + 62 * shrink * math.cos(a), 96 + 62 * shrink * math.sin(a)
        d = np.hypot(L.x - cx, L.y - cy) / shrink
        d2 = np.hypot(L.x - cx - 2.2 * shrink * math.cos(a), L.y - cy - 2.2 * shrink * math.sin(a)) / shrink
        L.over(CREAM, smooth(6.5, 5.5, d) * smooth(4.5, 5.5, d2))  # a crescent
    return L.on_black()


# ---------------------------------------------------------------- items


def _rounded_rect(L, x0, y0, x1, y1, rad, colour, alpha=1.0, soft=0.6):
    cx = np.clip(L.x, x0 + rad, x1 - rad)
    cy = np.clip(L.y, y0 + rad, y1 - rad)
    d = np.hypot(L.x - cx, L.y - cy) - rad
    L.over(colour, smooth(soft, -soft, d) * alpha)


def kintsuba_icon(kind):
    """24 x 24 item pictures: the kintsuba (a square bean cake in a thin
    griddled crust; the bomb stock), the rose "lintuba" (a shot level up,
    marked with a gold up-chevron) and the chance (a moon rabbit's head with
    Shiro's gold crescent: one life more)."""
    s = 24
    L = Layer(s, s)
    r = np.hypot(L.x - 12, L.y - 12)
    if kind == 'chance':
        L.over(GOLD * 0.7 + ROSE * 0.3, 0.45 * smooth(12, 7, r))  # warm halo
        for ex in (8.0, 16.0):  # ears
            d = np.hypot((L.x - ex) / 2.6, (L.y - 6.5) / 6.5)
            L.over(NIGHT, smooth(1.12, 1.0, d))
            L.over(hexrgb('#fffdf6'), smooth(0.98, 0.86, d))
            d2 = np.hypot((L.x - ex) / 1.1, (L.y - 7.0) / 4.2)
            L.over(ROSE, smooth(1.0, 0.8, d2))
        hd = np.hypot((L.x - 12) / 7.6, (L.y - 15) / 6.6)
        L.over(NIGHT, smooth(1.1, 1.0, hd))
        L.over(hexrgb('#fffdf6'), smooth(0.97, 0.9, hd))
        for ex in (9.2, 14.8):
            L.over(hexrgb('#c8406e'), smooth(1.3, 0.8, np.hypot(L.x - ex, L.y - 14.5)))
        L.over(ROSE, 0.6 * smooth(1.6, 1.0, np.hypot((L.x - 12) / 1.4, L.y - 17.5)))
        # gold crescent pin on the brow
        d = np.hypot(L.x - 12, L.y - 10.2)
        d2 = np.hypot(L.x - 13.4, L.y - 9.4)
        L.over(GOLD, smooth(2.6, 2.0, d) * smooth(1.6, 2.2, d2))
        return L.image()
    crust = hexrgb('#b5743a') if kind == 'kintuba' else hexrgb('#e88aa8')
    paste = hexrgb('#5a2a1e') if kind == 'kintuba' else hexrgb('#a2385e')
    light = hexrgb('#e8b070') if kind == 'kintuba' else hexrgb('#ffd0de')
    L.over(GOLD * 0.6 + CREAM * 0.4, 0.4 * smooth(13, 8, r))  # glow so it reads in the dark
    _rounded_rect(L, 2.5, 4.5, 21.5, 19.5, 3.5, NIGHT)
    _rounded_rect(L, 3.5, 5.5, 20.5, 18.5, 2.8, crust)
    # the bean paste shows through the thin crust on the sides
    _rounded_rect(L, 4.5, 8.5, 19.5, 15.5, 1.5, paste, 0.55)
    _rounded_rect(L, 5.0, 6.2, 19.0, 8.0, 0.9, light, 0.9)  # the griddled top's light
    for gx in (8.0, 12.0, 16.0):  # bean specks
        L.over(paste * 0.8, smooth(1.0, 0.5, np.hypot(L.x - gx, L.y - 12 - (gx % 3))))
    if kind == 'lintuba':
        # a gold up-chevron over the cake: more shots
        L.polygon([(6, 12.5), (12, 6.5), (18, 12.5), (18, 15.5), (12, 9.5), (6, 15.5)], NIGHT)
        L.polygon([(7, 12.5), (12, 7.7), (17, 12.5), (17, 14.2), (12, 9.4), (7, 14.2)], GOLD)
    return L.image()
