"""The 24 kintubats: 32 x 32 cells, four wing frames each, one column.

Every bat has the same round silhouette (so one white damage flash fits them
all), big gold eyes, faces left, and clutches a little kintsuba. What tells
them apart is the table below: the wings take the colour of the bat's
bullets, and the marks tell the behaviour group:

* stop and fire in sequence (1-14): plain round bats; red, ice, green or
  amber wings by bullet; a forehead crescent for the big-bullet kinds, one or
  two belly bands for the kinds that fire more;
* stop and fire all at once (15-18): horn spikes on the head (one, three,
  five beams) or a flame crest (the fire ball);
* periodic fire (19): the flame crest and a glowing lantern belly;
* laser (20-24): steel-blue pointed ears and a glowing visor across the
  eyes, rose for the laser, with a blue orb for the ones that also shoot;
  24, which has no laser, keeps the visor dark and wears twin antennae.
"""
import math

import numpy as np
from PIL import Image

from paint import hexrgb, NIGHT, GOLD, CREAM
from sprites import Layer, damage_rim, smooth

S = 32

RED, ICE, GREEN, AMBER = '#ff4d6d', '#5fdcff', '#3ee58a', '#ffae2e'
MAGENTA, EMBER, STEEL = '#e04dff', '#ff6a2a', '#7f9cff'

# kind: (body, wings, marks)
TABLE = {
    1: ('#3a2358', RED, {}),
    2: ('#3a2358', RED, {'bands': 1}),
    3: ('#3a2358', RED, {'crescent': True}),
    4: ('#26285e', ICE, {}),
    5: ('#26285e', ICE, {'bands': 1}),
    6: ('#26285e', ICE, {'crescent': True}),
    7: ('#22364e', GREEN, {}),
    8: ('#22364e', GREEN, {'crescent': True}),
    9: ('#43285a', AMBER, {}),
    10: ('#43285a', AMBER, {'crescent': True}),
    11: ('#43285a', AMBER, {'bands': 1}),
    12: ('#43285a', AMBER, {'bands': 1, 'crescent': True}),
    13: ('#43285a', AMBER, {'bands': 2}),
    14: ('#43285a', AMBER, {'bands': 2, 'crescent': True}),
    15: ('#2a1440', MAGENTA, {'spikes': 1}),
    16: ('#2a1440', MAGENTA, {'spikes': 3}),
    17: ('#2a1440', MAGENTA, {'spikes': 5}),
    18: ('#3d1a2e', EMBER, {'flame': True}),
    19: ('#3d1a2e', EMBER, {'flame': True, 'lantern': True}),
    20: ('#1c2a55', STEEL, {'visor': 'short', 'pointed': True}),
    21: ('#1c2a55', STEEL, {'visor': 'long', 'pointed': True}),
    22: ('#141c44', STEEL, {'visor': 'long', 'pointed': True, 'orb': True}),
    23: ('#141c44', STEEL, {'visor': 'long', 'pointed': True, 'orb': True, 'antennae': True}),
    24: ('#141c44', STEEL, {'visor': 'dark', 'pointed': True, 'orb': True, 'antennae': True}),
}

FLAPS = (1.0, 0.1, -0.9, 0.1)  # wings up, level, down, level


def wing(flap, side):
    """One wing as polygon points (side -1 left, +1 right), from the
    shoulder out to the tip and back along a scalloped trailing edge."""
    tip_y = 15 - 9 * flap
    mid_y = 15 - 5 * flap
    pts = [(16 + side * 4, 14.5), (16 + side * 8, mid_y - 2.5), (16 + side * 12.5, tip_y - 1.5),
           (16 + side * 15.2, tip_y + 1.5)]
    # scallops: three fingers back to the body
    for k, (fx, fy) in enumerate(((14.0, tip_y + 5.0), (11.0, mid_y + 4.5), (8.0, 18.0 - 1.5 * flap))):
        pts.append((16 + side * fx, fy))
        pts.append((16 + side * (fx - 1.8), fy - 2.2 + 0.4 * k))
    pts.append((16 + side * 5, 19.5))
    return pts


def ears(pointed):
    h = 5.0 if pointed else 3.6
    return [[(11.0, 12.0), (11.6 - (0.8 if pointed else 0), 12 - h - 2), (14.2, 10.8)],
            [(17.8, 10.8), (20.4 + (0.8 if pointed else 0), 12 - h - 2), (21.0, 12.0)]]


def silhouette(L, flap, pointed, colour, wing_colour=None, outline=NIGHT):
    wc = colour if wing_colour is None else wing_colour
    if outline is not None:
        # the night-indigo outline: the shapes a little larger, underneath
        for side in (-1, 1):
            pts = wing(flap, side)
            cx = 16
            L.polygon([(cx + (x - cx) * 1.06, y + (0.5 if y > 15 else -0.5)) for x, y in pts], outline)
        for e in ears(pointed):
            L.polygon([(x + (0.7 if x > 16 else -0.7), y - 0.8) for x, y in e], outline)
        body = np.hypot((L.x - 16) / 7.4, (L.y - 17) / 6.9)
        L.over(outline, smooth(1.05, 0.95, body))
    for side in (-1, 1):
        L.polygon(wing(flap, side), wc)
    for e in ears(pointed):
        L.polygon(e, colour)
    body = np.hypot((L.x - 16) / 6.4, (L.y - 17) / 6.0)
    L.over(colour, smooth(1.04, 0.94, body))


def bat_cell(kind, flap):
    body_hex, wing_hex, marks = TABLE[kind]
    body, wingc = hexrgb(body_hex), hexrgb(wing_hex)
    L = Layer(S, S)
    pointed = marks.get('pointed', False)
    # a faint aura in the wing colour so dark bats stand out on the dark forest
    r = np.hypot((L.x - 16) / 14.0, (L.y - 16) / 10.0)
    L.over(wingc * 0.8, 0.22 * smooth(1.0, 0.4, r))
    if marks.get('flame'):
        L.polygon([(12.5, 12), (13.0, 5.5), (15.0, 8.5), (16.5, 3.5), (18.0, 8.0), (19.5, 6.0), (20, 12)], NIGHT)
        L.polygon([(13.3, 12), (13.6, 7.0), (15.2, 9.5), (16.5, 5.0), (17.8, 9.2), (19.0, 7.4), (19.3, 12)], wingc)
        L.polygon([(15.0, 12), (16.4, 8.0), (17.6, 12)], GOLD)
    if marks.get('antennae'):
        for sx in (-1, 1):
            L.polygon([(16 + sx * 2.2, 11.5), (16 + sx * 5.6, 4.2), (16 + sx * 6.2, 4.6), (16 + sx * 3.0, 11.8)], NIGHT)
            L.over(hexrgb('#8fa8ff'), smooth(1.6, 1.0, np.hypot(L.x - 16 - sx * 5.9, L.y - 4.2)))
    silhouette(L, flap, pointed, body, wingc)
    if marks.get('spikes'):
        # horn spikes standing on the head, drawn over the body: one, three or five
        n = marks['spikes']
        for i in range(n):
            xc = 16 + (i - (n - 1) / 2) * 2.3
            top = 5.0 + 1.2 * abs(i - (n - 1) / 2)
            L.polygon([(xc - 1.6, 12.6), (xc, top - 0.9), (xc + 1.6, 12.6)], NIGHT)
            L.polygon([(xc - 0.9, 12.4), (xc, top + 0.4), (xc + 0.9, 12.4)], wingc)
    # wing membrane: a darker inner web so the wings read as wings
    for side in (-1, 1):
        pts = wing(flap, side)
        L.polygon([(16 + (x - 16) * 0.75, y + (1.0 if y < 15 else -0.6)) for x, y in pts], wingc * 0.62, 0.8)
    # belly lighter
    belly = np.hypot((L.x - 16) / 3.8, (L.y - 19.5) / 3.2)
    L.over(body * 0.6 + hexrgb('#8f8ccf') * 0.4, smooth(1.0, 0.8, belly))
    for b in range(marks.get('bands', 0)):
        yb = 18.4 + 2.8 * b
        L.over(wingc, smooth(1.1, 0.6, np.abs(L.y - yb)) * smooth(1.0, 0.9, np.hypot((L.x - 16) / 5.6, (L.y - 17) / 5.4)))
    if marks.get('lantern'):
        d = np.hypot(L.x - 16, L.y - 19.6)
        L.over(GOLD, smooth(3.2, 2.2, d))
        L.over(CREAM, smooth(1.6, 0.8, d))
    if marks.get('orb'):
        d = np.hypot(L.x - 16, L.y - 20)
        L.over(NIGHT, smooth(2.8, 2.3, d))
        L.over(hexrgb('#4a5cff'), smooth(2.3, 1.8, d))
        L.over(hexrgb('#dfe4ff'), smooth(1.1, 0.5, d))
    visor = marks.get('visor')
    if visor:
        x0 = 8.8 if visor != 'short' else 10.2
        x1 = 20.8 if visor != 'short' else 18.6
        band = smooth(1.9, 1.4, np.abs(L.y - 15.2)) * smooth(-0.5, 0.5, L.x - x0) * smooth(0.5, -0.5, L.x - x1)
        L.over(NIGHT, band)
        inner = smooth(1.1, 0.6, np.abs(L.y - 15.2)) * smooth(-0.5, 0.5, L.x - x0 - 0.8) * smooth(0.5, -0.5, L.x - x1 + 0.8)
        if visor == 'dark':
            L.over(hexrgb('#3a4a8a'), inner)
        else:
            L.over(hexrgb('#ff3f8a'), inner)
            L.over(hexrgb('#fff0f6'), inner * smooth(0.6, 0.2, np.abs(L.y - 15.2)))
    else:
        # big gold eyes, looking left (the way the bats fly)
        for ex in (12.6, 17.4):
            d = np.hypot((L.x - ex) / 2.3, (L.y - 15.4) / 2.6)
            L.over(GOLD, smooth(1.0, 0.85, d))
            L.over(NIGHT, smooth(1.0, 0.7, np.hypot((L.x - ex + 0.8) / 1.0, (L.y - 15.6) / 1.4)))
            L.over(CREAM, smooth(0.6, 0.2, np.hypot(L.x - ex + 0.2, L.y - 14.6)))
        if marks.get('crescent'):
            d = np.hypot(L.x - 16, L.y - 11.6)
            d2 = np.hypot(L.x - 16.9, L.y - 11.0)
            L.over(CREAM, smooth(2.2, 1.7, d) * smooth(1.3, 1.8, d2))
    # the stolen kintsuba, held under the body
    L.over(NIGHT, smooth(0.6, 0.0, np.maximum(np.abs(L.x - 16) - 3.0, np.abs(L.y - 25.2) - 2.0)))
    L.over(hexrgb('#c8843f'), smooth(0.5, 0.0, np.maximum(np.abs(L.x - 16) - 2.3, np.abs(L.y - 25.2) - 1.4)))
    L.over(hexrgb('#5a2a1e'), 0.7 * smooth(0.5, 0.0, np.maximum(np.abs(L.x - 16) - 1.6, np.abs(L.y - 25.8) - 0.5)))
    return L.image()


def damage_cell(flap):
    """The flash drawn over any bat when it is hit: a moon-cream rim round the
    shared silhouette, so the bat's own colours stay seen."""
    L = Layer(S, S)
    silhouette(L, flap, True, CREAM, outline=CREAM)
    return damage_rim(L.image(), 1, colour=(255, 250, 235))


def sheet(cells):
    img = Image.new('RGBA', (S, S * len(cells)), (0, 0, 0, 0))
    for i, c in enumerate(cells):
        img.paste(c, (0, i * S))
    return img


def bat_sheet(kind):
    return sheet([bat_cell(kind, f) for f in FLAPS])


def damage_sheet():
    return sheet([damage_cell(f) for f in FLAPS])
