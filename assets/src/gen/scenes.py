"""The computed night scenes of MIRELUNE: the misty lake, the forest, and the
bases of the title, configuration and shore pictures. Seeded: the same seed
paints the same scene."""
import numpy as np
from PIL import Image, ImageFilter

from paint import (SS, Canvas, NIGHT, INDIGO, VIOLET, LAVENDER, GOLD, CREAM, ROSE, FOREST, TEAL,
                   fractal_noise, radial, stars, moon, treeline, fill_below, draw_bats, hexrgb)

W, H = 800, 600


def lake(seed, moon_xy=(600, 130), moon_r=62, horizon=360, bats=6, mist=1.0, bat_box=None):
    rng = np.random.RandomState(seed)
    c = Canvas(W, H)
    hz = horizon / H
    c.vgradient([(0.0, NIGHT), (0.45 * hz, INDIGO), (hz, hexrgb('#3b3378')), (1.0, NIGHT)])
    mx, my = moon_xy
    # wide violet-rose sky glow around the moon
    d = radial(c, mx, my, 420)
    c.add(VIOLET * 0.9 + ROSE * 0.15, 0.35 * np.exp(-d * 2.2) * (c.yy < horizon * SS))
    stars(c, rng, 260, 0, horizon - 30, avoid=(mx, my, moon_r * 2.2))
    # thin clouds across the sky
    cl = fractal_noise(rng, c.w, c.h, base=3, octaves=5, aspect=3.0)
    band = np.exp(-((c.yy / SS - (my + 40)) / 90.0) ** 2)
    c.add(LAVENDER * 0.5 + ROSE * 0.1, 0.22 * np.clip(cl * 1.8 - 0.9, 0, 1) * band)
    moon(c, rng, mx, my, moon_r)
    c.over(hexrgb('#2a2560'), 0.45 * np.clip(cl * 2.2 - 1.4, 0, 1) * band)  # cloud wisps in front
    # far hills and two tree lines
    far = treeline(rng, c.w, horizon * SS, 25 * SS, 70 * SS, 140, jag=0.3)
    fill_below(c, far, hexrgb('#2b2660'), 0.95)
    mid = treeline(rng, c.w, horizon * SS, 10 * SS, 45 * SS, 120)
    fill_below(c, mid, hexrgb('#161338'), 1.0)
    # lake: darker water with the sky's reflection squashed and rippled
    water = c.yy >= horizon * SS
    wy = (c.yy - horizon * SS) / ((H - horizon) * SS)
    ripple = fractal_noise(rng, c.w, c.h, base=2, octaves=6, aspect=12.0)
    c.rgb = np.where(water[..., None], TEAL * (0.55 - 0.35 * wy[..., None]) + INDIGO * 0.4, c.rgb)
    # the moon's path on the water: a column of broken gold streaks
    col = np.exp(-((c.xx / SS - mx) / (moon_r * (0.7 + 1.3 * wy))) ** 2)
    streak = np.clip(np.sin(c.yy / SS * 0.9 + ripple * 14) * 0.5 + 0.5, 0, 1) ** 3
    gate = np.clip(fractal_noise(rng, c.w, c.h, base=6, octaves=4, aspect=6.0) * 2.4 - 0.7, 0, 1)
    c.add(GOLD * 0.8 + CREAM * 0.2, 0.8 * col * streak * gate * water * (1 - 0.6 * wy))
    c.add(GOLD, 0.18 * col * water * np.exp(-wy * 3))
    # tree reflection: a dark band hugging the shore
    refl = np.clip(1 - (c.yy - horizon * SS) / (22 * SS), 0, 1) * water
    c.over(hexrgb('#120f30'), 0.7 * refl)
    # mist: soft layers above the water and along the shore
    m1 = fractal_noise(rng, c.w, c.h, base=3, octaves=5, aspect=5.0)
    shore = np.exp(-((c.yy / SS - horizon + 8) / 28.0) ** 2)
    low = np.exp(-((c.yy / SS - (horizon + 150)) / 90.0) ** 2)
    c.over(LAVENDER * 0.75 + VIOLET * 0.25, mist * (0.7 * shore + 0.45 * low) * np.clip(m1 * 1.5 - 0.3, 0, 1))
    if bats:
        draw_bats(c, rng, bats, bat_box or (60, 40, 460, horizon - 120), (9, 16), FOREST, 0.95)
    return c


def forest(seed):
    rng = np.random.RandomState(seed)
    c = Canvas(W, H)
    c.vgradient([(0.0, NIGHT), (0.45, hexrgb('#2a2360')), (0.75, hexrgb('#3a3176')), (1.0, hexrgb('#0f0c2c'))])
    stars(c, rng, 120, 0, 220, avoid=(560, 110, 90))
    moon(c, rng, 560, 110, 46, halo=0.9)
    ground = 470
    # conifer ridges from far (hazy violet) to near (black), mist between them
    layers = [(hexrgb('#40377c'), 300, (50, 130), 30), (hexrgb('#2b245e'), 360, (70, 180), 22),
              (hexrgb('#191540'), 420, (90, 240), 16), (hexrgb('#0c0a24'), ground + 10, (60, 160), 14)]
    for i, (colour, base, hr, n) in enumerate(layers):
        top = treeline(rng, c.w, base * SS, hr[0] * SS, hr[1] * SS, n, slim=(0.2, 0.3), tiers=5)
        if i == 3:  # leave the path to the lake open in the middle
            gap = np.exp(-((np.arange(c.w) / SS - 420) / 110.0) ** 2)
            top = np.minimum(top + gap * 400 * SS, (base - 24) * SS)  # low bushes along the path
        # undergrowth: a rolling line of bushes where the trunks stand
        xs = np.arange(c.w) / SS
        ph = rng.uniform(0, 6.3, 2)
        bush = base - 16 - 9 * np.sin(xs * 0.021 + ph[0]) - 5 * np.abs(np.sin(xs * 0.09 + ph[1]))
        top = np.minimum(top, bush * SS)
        fill_below(c, top, colour, 1.0)
        m = fractal_noise(rng, c.w, c.h, base=3, octaves=5, aspect=4.0)
        band = np.exp(-((c.yy / SS - base + 6) / 34.0) ** 2)  # hides where the trees stand
        c.over(LAVENDER * 0.6 + VIOLET * 0.4, 0.7 * band * np.clip(m * 1.4 + 0.1, 0, 1))
    # moonbeams slanting down from the moon
    ang = np.arctan2(c.yy / SS - 110, c.xx / SS - 560)
    dist = np.sqrt((c.yy / SS - 110) ** 2 + (c.xx / SS - 560) ** 2)
    beams = np.zeros_like(ang)
    for k in range(6):
        a0 = rng.uniform(1.75, 2.5)
        beams += np.exp(-((ang - a0) / rng.uniform(0.012, 0.03)) ** 2) * rng.uniform(0.5, 1)
    c.add(CREAM * 0.6 + GOLD * 0.4, 0.12 * beams * np.clip((dist - 60) / 120, 0, 1) * np.exp(-dist / 500.0))
    # ground with a pale path running to the lake
    g = np.clip((c.yy / SS - ground) / 2 + 0.5, 0, 1)
    c.over(hexrgb('#0d0b26'), g)
    yy = c.yy / SS - ground
    path = np.exp(-((c.xx / SS - 420 + yy * 0.5) / (40 + yy * 1.4)) ** 2)
    c.add(LAVENDER * 0.45 + GOLD * 0.12, 0.4 * path * g)
    gm = fractal_noise(rng, c.w, c.h, base=3, octaves=5, aspect=5.0)
    c.over(LAVENDER * 0.7 + VIOLET * 0.3, 0.5 * np.exp(-((c.yy / SS - ground) / 35.0) ** 2) * np.clip(gm * 1.5 - 0.3, 0, 1))
    # two dark trunks framing the picture
    for x, w in ((40, 46), (770, 60)):
        dx = np.abs(c.xx / SS - x - (c.yy / SS) * 0.03)
        widen = 1 + np.clip((c.yy / SS - 520) / 40.0, 0, 2)
        c.over(FOREST, np.clip((w / 2 * widen - dx) / 1.0, 0, 1))
    draw_bats(c, rng, 8, (120, 150, 700, 330), (11, 22), hexrgb('#0a0820'), 1.0)
    return c


def darken(c, amount, blur=0):
    img = c.image()
    if blur:
        img = img.filter(ImageFilter.GaussianBlur(blur))
    arr = np.asarray(img, np.float32) / 255.0
    arr = arr * (1 - amount) + NIGHT * amount
    return Image.fromarray((np.clip(arr, 0, 1) * 255 + 0.5).astype(np.uint8), 'RGB')
