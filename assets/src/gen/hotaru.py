"""The stage pictures of ホタル, the second heroine: her flight sheet (she
rides a paper lantern full of fireflies), her four weapons' light (fine
sparks, the heavy lantern shot, the blue flame), her items and her
information strip. Her colours are lake teal, ice blue and firefly
jade-white; cream and gold stay Shiro's.
"""
import math

import numpy as np
from PIL import Image, ImageFilter

from paint import hexrgb, NIGHT
from sprites import Layer, smooth

# Her palette
TEAL = hexrgb('#24707c')       # the yukata
TEAL_DARK = hexrgb('#123e4e')
ICE = hexrgb('#bfe8f6')        # the sash, her rims
JADE = hexrgb('#7fffc8')       # firefly light
FIREFLY = hexrgb('#eaffdc')    # the light's white heart
HAIR = hexrgb('#12141f')
HAIR_LIGHT = hexrgb('#5a6a96')
SKIN = hexrgb('#fff0e8')
PAPER = hexrgb('#d8f6e4')
WOOD = hexrgb('#3a2a1a')
INK = hexrgb('#0b1a2a')        # her outlines: a teal-black, not Shiro's indigo
# the accent and edge colours of her information strip (Shiro's: gold and rose)
ACCENT = '#bfe8f6'
EDGE = '#7fffc8'


def _ellipse(L, cx, cy, rx, ry):
    return np.hypot((L.x - cx) / rx, (L.y - cy) / ry)


def _segment(L, x0, y0, x1, y1):
    """Distance from every pixel to the segment (x0, y0)-(x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    t = np.clip(((L.x - x0) * dx + (L.y - y0) * dy) / (dx * dx + dy * dy), 0, 1)
    return np.hypot(L.x - x0 - t * dx, L.y - y0 - t * dy)


# The trail of fireflies behind her, per flight cell: (x, y, radius); they
# drift back and down a little from cell to cell.
TRAIL = [(8.0, 17.0, 1.3), (5.8, 21.0, 1.1), (5.2, 13.5, 0.9), (6.6, 25.5, 1.0)]


def vovizovar_cell(frame, fireflies=True):
    """32 x 32: Hotaru astride her paper lantern, facing right. The lantern lies
    on its side under her (its front cap, where her light comes out, to the
    right); her black bob, teal yukata and a sleeve streaming back; fireflies
    trail behind. A faint jade aura keeps her dark hair off the night sky.
    The game's hit box (16 x 14 round the centre) is lantern and body.
    Without the fireflies: her figure alone, whose shape `outlined` traces."""
    L = Layer(32, 32)
    bob = [0.0, 0.5, 0.8, 0.5][frame]      # she rises and sinks a little
    flutter = [0.0, 0.7, 0.0, -0.7][frame]  # the sleeve and hair in the wind
    pulse = [1.0, 0.85, 0.75, 0.9][frame]   # the fireflies' light breathes
    # aura
    L.add_light(JADE * 0.35, 0.45 * pulse * smooth(1.0, 0.35, _ellipse(L, 16, 16 + bob, 13.5, 13.0)))
    # fireflies trailing behind (left), one set a cell, drifting
    for k, (tx, ty, tr) in enumerate(TRAIL if fireflies else []):
        x = tx - 0.7 * ((frame + k) % 4)
        y = ty + 0.4 * ((frame + k) % 4) + bob
        d = np.hypot(L.x - x, L.y - y)
        L.add_light(JADE * 0.8, 0.7 * np.exp(-(d / (tr * 2.0)) ** 2))
        L.over(FIREFLY, smooth(tr, tr * 0.3, d))
    cy = 21.5 + bob  # the lantern's axis
    # her sleeve streaming back over the lantern's rear
    L.polygon([(13.5, 10.5 + bob), (6.0, 12.0 + bob + flutter), (7.0, 14.2 + bob + flutter), (14.0, 14.0 + bob)], INK)
    L.polygon([(13.5, 11.3 + bob), (7.2, 12.6 + bob + flutter), (7.8, 13.5 + bob + flutter), (13.8, 13.4 + bob)], TEAL)
    # the lantern: a paper barrel with ribs, wooden caps at both ends
    body = _ellipse(L, 15.5, cy, 8.5, 5.6)
    L.over(INK, smooth(1.08, 1.0, body))
    glow = smooth(1.0, 0.0, body)
    paper = PAPER * (0.75 + 0.25 * glow[..., None]) + FIREFLY * 0.25 * glow[..., None]
    L.over(paper, smooth(0.98, 0.9, body))
    for rx in (11.0, 15.5, 20.0):  # ribs run round the barrel: vertical lines
        rib = np.abs(L.x - rx) < 0.35
        L.over(hexrgb('#6aa890'), 0.7 * rib * smooth(0.95, 0.85, body))
    L.over(FIREFLY, 0.9 * smooth(0.5, 0.0, _ellipse(L, 16.5, cy, 3.6, 2.6)) * pulse)
    for capx in (7.0, 24.0):
        cap = (np.abs(L.x - capx) < 1.1) & (np.abs(L.y - cy) < 3.6)
        L.over(WOOD, cap.astype(np.float32))
    L.over(JADE, 0.8 * smooth(1.2, 0.3, _ellipse(L, 25.6, cy, 0.9, 1.6)))  # light at the front cap
    # her leg and sandal down the near side of the barrel
    L.polygon([(16.0, 15.5 + bob), (19.6, 15.5 + bob), (19.0, 22.5 + bob), (16.5, 22.5 + bob)], INK)
    L.polygon([(16.6, 16.0 + bob), (19.0, 16.0 + bob), (18.5, 22.0 + bob), (17.1, 22.0 + bob)], TEAL)
    L.polygon([(16.2, 22.4 + bob), (20.2, 22.4 + bob), (20.2, 23.8 + bob), (16.2, 23.8 + bob)], WOOD)
    L.over(SKIN, smooth(0.7, 0.3, _ellipse(L, 17.8, 21.6 + bob, 0.9, 0.7)))
    # torso, leaning forward, the ice-blue sash round her waist
    torso = [(13.2, 9.2 + bob), (18.6, 8.6 + bob), (20.0, 16.6 + bob), (13.6, 16.8 + bob)]
    L.polygon([(x + (-0.7 if x < 16 else 0.7), y + (-0.6 if y < 12 else 0.6)) for x, y in torso], INK)
    L.polygon(torso, TEAL)
    L.polygon([(13.5, 13.4 + bob), (19.4, 13.2 + bob), (19.6, 14.8 + bob), (13.6, 15.0 + bob)], ICE)
    L.polygon([(17.0, 9.0 + bob), (18.6, 8.8 + bob), (17.8, 11.2 + bob)], hexrgb('#f4fbff'))  # collar
    # arm reaching forward to the lantern's front
    arm = _segment(L, 17.5, 10.5 + bob, 22.0, 15.6 + bob)
    L.over(INK, smooth(1.35, 1.1, arm))
    L.over(TEAL, smooth(1.0, 0.75, arm))
    L.over(SKIN, smooth(0.95, 0.6, np.hypot(L.x - 22.4, L.y - 16.1 - bob)))
    # head: the black bob, a face turned to the right, the teal comb at the back
    hx, hy = 17.6, 5.8 + bob
    L.over(INK, smooth(4.7, 4.2, np.hypot(L.x - hx, L.y - hy)))
    L.over(ICE * 0.6, smooth(4.5, 4.1, np.hypot(L.x - hx, L.y - hy)) * 0.5)  # a cool rim on the hair
    L.over(HAIR, smooth(4.1, 3.7, np.hypot(L.x - hx, L.y - hy)))
    # the bob's back falls to the jaw and flutters
    L.polygon([(13.8, 5.0 + bob), (14.2, 9.4 + bob + flutter * 0.4), (17.0, 9.2 + bob), (16.5, 5.0 + bob)], HAIR)
    face = _ellipse(L, 19.6, 7.0 + bob, 2.0, 2.4)
    L.over(SKIN, smooth(1.0, 0.8, face) * (L.y > 5.3 + bob))  # under the straight fringe
    L.over(HAIR, smooth(0.5, 0.2, _ellipse(L, 20.3, 6.9 + bob, 0.35, 0.55)))  # her eye
    L.over(HAIR_LIGHT, 0.9 * smooth(1.0, 0.4, _ellipse(L, 16.6, 3.0 + bob, 2.2, 0.7)))  # shine
    L.over(hexrgb('#2fb0a8'), smooth(1.0, 0.6, _ellipse(L, 14.6, 4.4 + bob, 0.9, 1.4)))  # comb
    return L.image()


def _grown(mask):
    """The mask grown by one pixel in every direction (eight neighbours)."""
    return np.asarray(Image.fromarray(mask.astype(np.uint8) * 255, 'L').filter(ImageFilter.MaxFilter(3))) > 0


def outlined(cell, figure):
    """The cell with a line round her figure's solid shape: teal ink just
    outside it, then a firefly-jade halo. At play size she is small and dark;
    the ink holds her against the moon and the mist, the halo against the
    forest and the night sky, wherever the field's edge puts her. The cell's
    border stays clear (the game spins the cell as her fall)."""
    solid = np.asarray(figure)[..., 3] >= 128
    ink = _grown(solid) & ~solid
    halo = _grown(_grown(solid)) & ~_grown(solid)
    back = np.zeros(solid.shape + (4,), np.uint8)
    back[ink] = np.append((INK * 255).astype(np.uint8), 235)
    back[halo] = np.append(((JADE * 0.7 + ICE * 0.3) * 255).astype(np.uint8), 150)
    back[[0, -1], :] = 0
    back[:, [0, -1]] = 0
    picture = Image.fromarray(back, 'RGBA')
    picture.alpha_composite(cell)
    return picture


def vovizovar_sheet():
    sheet = Image.new('RGBA', (32, 128), (0, 0, 0, 0))
    for f in range(4):
        sheet.paste(outlined(vovizovar_cell(f), vovizovar_cell(f, fireflies=False)), (0, 32 * f))
    return sheet


def spark():
    """16 x 16, weapons 1 and 3: a fine firefly spark flying along +x, drawn as
    a streak, not a point: a long jade tail thickening to an oval head with a
    white heart. Stars are points of light, so a streak reads as her shot
    even at play size over the starry sky. No dark ring: enemy bullets are
    round and outlined, her light is neither."""
    L = Layer(16, 16)
    cx, cy = 11.5, 8.0
    along = np.clip((L.x - 0.5) / (cx - 0.5), 0, 1)  # 0 at the tail's end, 1 at the head
    width = 0.5 + 1.4 * along
    tail = np.abs(L.y - cy) / width * (L.x <= cx) + 99 * (L.x > cx) + 99 * (L.x < 0.5)
    L.add_light(JADE * 0.5, 0.6 * np.exp(-(np.hypot((L.x - cx) / 5.5, (L.y - cy) / 3.2)) ** 2))
    L.over(JADE, smooth(1.0, 0.5, tail) * (0.35 + 0.65 * along))
    head = _ellipse(L, cx, cy, 3.6, 2.3)
    L.over(JADE, smooth(1.0, 0.75, head))
    L.over(FIREFLY, smooth(0.8, 0.5, head))
    L.over(np.ones(3, np.float32), smooth(0.5, 0.25, _ellipse(L, cx + 0.5, cy, 3.6, 2.3)))
    return L.image()


def lantern_shot():
    """24 x 24, weapon 2: the heavy lantern shot, a barrel of firefly light
    like the lantern she rides, ribbed, with an ice-blue rim and a jade tail."""
    L = Layer(24, 24)
    cx, cy = 13.5, 12.0
    L.add_light(JADE * 0.6, 0.55 * smooth(1.0, 0.2, np.hypot(np.maximum(cx - L.x, 0) / 13.0 + np.maximum(L.x - cx, 0) / 9.0, (L.y - cy) / 8.0)))
    body = _ellipse(L, cx, cy, 8.6, 6.6)
    L.over(TEAL_DARK, smooth(1.08, 1.0, body))
    L.over(ICE, smooth(1.0, 0.92, body))
    inner = smooth(0.92, 0.84, body)
    L.over(PAPER * 0.6 + FIREFLY * 0.4, inner)
    for rx in (cx - 4.2, cx, cx + 4.2):
        L.over(hexrgb('#6aa890'), 0.6 * (np.abs(L.x - rx) < 0.4) * smooth(0.85, 0.7, body))
    r = np.hypot(L.x - cx, L.y - cy)
    L.over(FIREFLY, smooth(4.2, 2.8, r))
    L.over(np.ones(3, np.float32), smooth(2.4, 1.4, r))
    return L.image()


def blue_flame():
    """32 x 32, weapon 4: the lantern's blue flame particle, light on black."""
    from sprites import flare
    return flare('#1a5cff', '#48d8ff', '#effffa')


def _rounded_box(L, x0, y0, x1, y1, rad):
    cx = np.clip(L.x, x0 + rad, x1 - rad)
    cy = np.clip(L.y, y0 + rad, y1 - rad)
    return np.hypot(L.x - cx, L.y - cy) - rad


def item_icon(kind):
    """24 x 24 items of her stage, also her strip's icons, each in a jade
    glow so it reads in the dark: the kintsuba (bomb stock) wrapped for her
    brothers in a teal cloth tied with ice-blue cord; a little paper lantern
    with an ice-blue up-chevron (a shot level); a firefly (one life more)."""
    L = Layer(24, 24)
    r = np.hypot(L.x - 12, L.y - 12)
    L.add_light(JADE * 0.45, 0.5 * smooth(12.5, 6.0, r))
    if kind == 'kintuba':
        box = _rounded_box(L, 2.5, 5.5, 21.5, 19.5, 3.5)
        L.over(INK, smooth(0.5, -0.3, box))
        L.over(hexrgb('#b5743a'), smooth(-0.5, -1.2, box))  # the crust
        L.over(hexrgb('#5a2a1e'), 0.5 * smooth(-3.0, -3.8, box))  # the bean paste inside
        L.over(hexrgb('#e8b070'), 0.9 * smooth(0.2, -0.5, _rounded_box(L, 5.0, 7.0, 19.0, 8.6, 0.8)))
        # the teal cloth band and its knot on top, the cord in ice blue
        L.polygon([(9.0, 5.0), (15.0, 5.0), (15.0, 20.0), (9.0, 20.0)], INK)
        L.polygon([(9.8, 5.8), (14.2, 5.8), (14.2, 19.2), (9.8, 19.2)], TEAL)
        L.polygon([(12, 6.5), (6.0, 2.0), (7.0, 7.5)], INK)
        L.polygon([(12, 6.5), (18.0, 2.0), (17.0, 7.5)], INK)
        L.polygon([(12, 6.5), (6.9, 3.1), (7.6, 6.8)], TEAL)
        L.polygon([(12, 6.5), (17.1, 3.1), (16.4, 6.8)], TEAL)
        L.over(ICE, 0.95 * (np.abs(L.y - 12.5) < 0.55) * (L.x > 9.8) * (L.x < 14.2))
        L.over(ICE, smooth(1.6, 1.0, np.hypot(L.x - 12, L.y - 6.5)))
    elif kind == 'lintuba':
        body = _ellipse(L, 12, 13, 7.0, 7.6)
        L.over(INK, smooth(1.1, 1.0, body))
        L.over(PAPER * 0.7 + FIREFLY * 0.3, smooth(0.98, 0.9, body))
        for ry in (9.5, 13.0, 16.5):
            L.over(hexrgb('#6aa890'), 0.6 * (np.abs(L.y - ry) < 0.4) * smooth(0.9, 0.8, body))
        for y0 in (4.0, 19.8):  # caps
            L.polygon([(8.0, y0), (16.0, y0), (16.0, y0 + 2.0), (8.0, y0 + 2.0)], WOOD)
        L.polygon([(6, 14.5), (12, 8.5), (18, 14.5), (18, 17.5), (12, 11.5), (6, 17.5)], INK)
        L.polygon([(7, 14.5), (12, 9.7), (17, 14.5), (17, 16.2), (12, 11.4), (7, 16.2)], ICE)
    else:  # chance: a firefly, its tail lit
        L.add_light(JADE, 0.9 * np.exp(-(np.hypot(L.x - 8.5, L.y - 15.0) / 4.5) ** 2))
        for side in (-1, 1):  # wings, pale and open
            w = _ellipse(L, 13.5, 12.0 + side * 4.2, 4.6, 2.4)
            L.over(INK, smooth(1.15, 1.0, w))
            L.over(ICE * 0.9, smooth(1.0, 0.85, w))
        body = _ellipse(L, 12.5, 12.0, 6.5, 3.0)
        L.over(INK, smooth(1.12, 1.0, body))
        L.over(hexrgb('#2a3350'), smooth(1.0, 0.9, body))
        tail = _ellipse(L, 8.2, 12.0, 3.2, 2.7)
        L.over(FIREFLY, smooth(1.0, 0.7, tail))
        L.over(hexrgb('#ff6a5a'), smooth(1.0, 0.6, _ellipse(L, 18.2, 12.0, 1.6, 1.8)))  # its red head
        for side in (-1, 1):  # feelers
            d = _segment(L, 19.2, 12.0 + side * 0.8, 22.0, 12.0 + side * 4.0)
            L.over(INK, smooth(0.6, 0.3, d))
    return L.image()
