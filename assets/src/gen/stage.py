#!/usr/bin/python3
"""Renders the pictures of the shooting stage into assets/img/: Shiro and her
shots, the 24 kintubats, bullets, beams and explosions, Seiichirou, the
items, the information strip and its gauges, the balloons, captions, talk
portraits, the game-over screen and the long scrolling background.

Usage: stage.py ASSETS_DIR [part ...]   parts: sprites bats boss hud talk back
Deterministic: fixed seeds, rsvg-convert for the SVG drawings, PNGs (and the
background's JPEG) written by PIL without time stamps or other metadata.
"""
import atexit
import math
import os
import shutil
import sys
import tempfile

import numpy as np
from PIL import Image

import bats
import sprites
from output import render_svg, save_png

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..'))
SRC = os.path.join(ROOT, 'src')
OUT = os.path.join(ROOT, 'img')
TMP = tempfile.mkdtemp(prefix='mirelune-stage-')
atexit.register(shutil.rmtree, TMP, True)


def save(img, name, alpha=True):
    save_png(img, os.path.join(OUT, name), alpha)


def fill(template, fields):
    for k, v in fields.items():
        template = template.replace('${' + k + '}', v if isinstance(v, str) else '%.2f' % v)
    return template


def svg_text(name, text, scale=1.0, css=None):
    """Renders SVG text (or a file under src/svg when text is None) to RGBA."""
    if text is None:
        path = os.path.join(SRC, 'svg', name)
    else:
        path = os.path.join(TMP, name)
        with open(path, 'w', encoding='utf-8') as f:
            f.write(text)
    return render_svg(path, TMP, os.path.join(SRC, 'svg', css) if css else None, scale)


def read_src(*parts):
    with open(os.path.join(SRC, *parts), encoding='utf-8') as f:
        return f.read()


def column(cells):
    w, h = cells[0].size
    sheet = Image.new('RGBA', (w, h * len(cells)), (0, 0, 0, 0))
    for i, c in enumerate(cells):
        sheet.paste(c, (0, i * h))
    return sheet


# ---------------------------------------------------------------- Shiro

def vuzez_frame(f):
    t = f / 4 * 2 * math.pi
    s = math.sin
    fields = {
        'PT0': 24 + 2 * s(t), 'PT1': 24 + 3 * s(t + 0.8), 'PT2': 22 + 4 * s(t + 1.6),
        'PT3': 20 + 4 * s(t + 2.2), 'PT4': 26 + 5 * s(t + 2.8), 'PT5': 32 + 4 * s(t + 2.4),
        'PT6': 36 + 3 * s(t + 1.6), 'PT7': 40 + 2 * s(t + 0.8),
        'RB0': 22 + 3 * s(t + 1), 'RB1': 27 + 3 * s(t + 1), 'RB2': 36 + 3 * s(t + 2), 'RB3': 39 + 3 * s(t + 2),
        'SL0': 52 + 2 * s(t + 0.5), 'SL1': 58 + 5 * s(t + 1.2), 'SL2': 64 + 4 * s(t + 1.6), 'SL3': 66 + 2 * s(t + 1.0),
        'SL4': 74 + 2 * s(t + 0.7), 'SL5': 76 + 3 * s(t + 1.4),
        'EA': -8 + 8 * s(t), 'SX': 3 - 1.5 * (f % 4),
        'MOON': 'inline', 'OPEN': 'inline', 'SHUT': 'none',
    }
    return fields


def vuzez_picture(name, fields):
    return svg_text(name, fill(read_src('svg', 'vuzez.svg.in'), fields))


def player_pictures():
    frames = [vuzez_picture('vuzez_%d.svg' % f, vuzez_frame(f)) for f in range(4)]
    save(column(frames), 'vuzez.png')
    # the fall: Shiro knocked off her crescent, her eyes shut; the game spins it
    fall = dict(vuzez_frame(1), MOON='none', OPEN='none', SHUT='inline')
    save(vuzez_picture('vuzez_damage.svg', fall), 'vuzez_damage.png')
    save(svg_text('rabbit_bullet.svg', None), 'rabbit_bullet.png')
    save(sprites.bomb_ring(), 'bomb.png')


def enemy_pictures():
    for k in range(1, 25):
        save(bats.bat_sheet(k), 'kintubat%d.png' % k)
    save(bats.damage_sheet(), 'kintubat1_damage.png')
    save(sprites.explosion_sheet(5), 'arc_bomb.png')


def shot_pictures():
    for name in sprites.BULLET_COLOURS:
        save(sprites.small_bullet(name), 'arc_%s_bullet.png' % name)
        save(sprites.large_bullet(name), 'arc_%s.png' % name)
    save(sprites.beam_unit(), 'beam_unit.png')
    save(sprites.flare(), 'flare.png')
    save(sprites.lazer(), 'lazer.png')


def item_pictures():
    for kind in ('lintuba', 'kintuba', 'chance'):
        save(sprites.kintsuba_icon(kind), kind + '.png')


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    what = sys.argv[2:] or ['player', 'bats', 'shots', 'items']
    if 'player' in what:
        player_pictures()
    if 'bats' in what:
        enemy_pictures()
    if 'shots' in what:
        shot_pictures()
    if 'items' in what:
        item_pictures()
