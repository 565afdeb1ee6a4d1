#!/usr/bin/python3
"""Lays the rendered menu pictures over their screens the way the menu and
configuration scenes place them, and writes the two mock-ups as PNGs, so the
layout can be looked at without running the game.

Usage: preview.py ASSETS_DIR OUT_DIR
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

assets, out = sys.argv[1], sys.argv[2]
img = lambda name: Image.open(os.path.join(assets, 'img', name + '.png')).convert('RGBA')
os.makedirs(out, exist_ok=True)

# Title menu: items centred at (400, 380 / 450 / 520); the first one highlighted.
title = img('title_menu')
for i, (name, cy) in enumerate((('menu_start', 380), ('menu_config', 450), ('menu_end', 520))):
    pic = img(name + ('_s' if i == 0 else '_n'))
    title.alpha_composite(pic, (400 - pic.width // 2, cy - pic.height // 2))
title.save(os.path.join(out, 'preview_title.png'))

# Configuration: positions are top-left corners.
cfg = img('config')
pos = {}
size = lambda n: img(n + '_n').size
sw, sh = size('screen')
pos['screen'] = (30, 80)
pos['level'] = (30, 80 + 80)
pos['key'] = (30, 160 + 80)
pos['return'] = (30, 600 - size('return')[1] - 30)
pos['full'] = (30 + sw + 100, 80 + 16)
pos['window'] = (pos['full'][0] + size('full')[0] + 10, pos['full'][1])
pos['easy'] = (30 + size('level')[0] + 30, 160 + 16)
pos['normal'] = (pos['easy'][0] + size('easy')[0] + 10, pos['easy'][1])
pos['hard'] = (pos['normal'][0] + size('normal')[0] + 10, pos['easy'][1])
x, y = 30 + size('key')[0] + 30, 240
for k in range(1, 6):
    pos['button%d' % k] = (x, y)
    y += size('button%d' % k)[1] - 20
selected = {'screen', 'window', 'normal', 'button1'}
for name, p in pos.items():
    cfg.alpha_composite(img(name + ('_s' if name in selected else '_n')), p)
font = ImageFont.truetype('/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf', 23)
d = ImageDraw.Draw(cfg)
for k in range(1, 6):
    bx, by = pos['button%d' % k]
    d.text((bx + size('button%d' % k)[0] + 20, by + 20), 'Button-%d' % k, font=font, fill='white')
cfg.save(os.path.join(out, 'preview_config.png'))

# Talk scene: background, window (a third below the bottom edge), face, name and three lines.
talk = img('bg_forest')
win = img('talk_area')
ty = 600 - (2 * win.height) // 3 + 10
talk.alpha_composite(win, (0, ty))
face = img('face_seiichirou_normal')
talk.alpha_composite(face.crop((30, 0, face.width, min(face.height, 600 - (ty - 30)))), (0, ty - 30))
d = ImageDraw.Draw(talk)
d.text((200, ty + 25), '【誠一郎】', font=font, fill='white')
for i, line in enumerate(('「一度でいい。あの店のきんつばを、', '　この舌で味わってみたかったのだ。」', '')):
    d.text((200, ty + 25 + 28 * (i + 1)), line, font=font, fill='white')
talk.save(os.path.join(out, 'preview_talk.png'))
print('previews written to', out)
