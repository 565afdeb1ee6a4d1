#!/usr/bin/python3
"""Lays the rendered menu pictures over their screens the way the menu and
configuration scenes place them, a face and text over the talk window, and
Hotaru's stage pictures over the stage, and writes the mock-ups as PNGs, so
the layout can be looked at without running the game.

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

# The heroine choice under "start": Shiro highlighted, Hotaru below, in the title items' places.
choice = img('title_menu')
for name, cy in (('menu_startML_s', 380), ('menu_startQZ_n', 450)):
    pic = img(name)
    choice.alpha_composite(pic, (400 - pic.width // 2, cy - pic.height // 2))
choice.save(os.path.join(out, 'preview_choice.png'))

# Hotaru's stage: the real background under her four flight cells, her shots
# of every weapon, her items, and her strip with its icons placed as the
# scene places them (the gauge icon, 5 lives and 8 kintsuba); then the left
# half again at twice the size, as a big window shows it.
stage = Image.new('RGBA', (800, 600))
stage.paste(Image.open(os.path.join(assets, 'img', 'stage_trial_back.jpg')).convert('RGBA').crop((900, 0, 1700, 480)))
stage.paste(img('InfoAreaK'), (0, 480))
sheet = img('vovizovar')
for f in range(4):
    cell = sheet.crop((0, 32 * f, 32, 32 * f + 32))
    stage.alpha_composite(cell, (80 + 70 * f, 120 + 90 * (f % 2)))
shots = [('arc_white_bullet', 8), ('arc_white', 3), ('flare_blue', 6)]
for row, (name, n) in enumerate(shots):
    pic = img(name)
    for k in range(n):
        stage.alpha_composite(pic, (360 + k * (pic.width + 6), 120 + 50 * row))
for k, name in enumerate(('kintubaK', 'lintubaK', 'chanceK')):
    stage.alpha_composite(img(name), (400 + 40 * k, 300))
icon, life, frame = img('kintubaK'), img('chanceK'), img('gauge_white')
left = 400 - (icon.width + 10 + frame.width)
top = 604 - icon.height
stage.alpha_composite(icon, (left, top + icon.height // 4 - icon.height // 2))
ref = left + icon.width + 20 + frame.width
stage.alpha_composite(frame, (ref - frame.width, top))
for k in range(5):
    stage.alpha_composite(life, (ref - (k + 1) * life.width, 495))
for k in range(8):
    stage.alpha_composite(icon, (ref - (k + 1) * icon.width, life.height + 500))
stage.save(os.path.join(out, 'preview_hotaru.png'))
stage.crop((40, 80, 440, 380)).resize((800, 600), Image.NEAREST).save(os.path.join(out, 'preview_hotaru_2x.png'))
print('previews written to', out)
