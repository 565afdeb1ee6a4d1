#!/usr/bin/python3
"""Draws a stage script's timeline over its background as one PNG, so the
pacing of a stage can be seen at a glance.

The stage scrolls one pixel a frame and an enemy enters at the right edge
when the stage counter reaches its position - 800, that is when the point
`position` of the background reaches the field's right edge: so every enemy
is drawn at its position along the background, at the height it enters at.
Each bat is a dot in its behaviour group's colour with its number; a ring
around it marks the item it carries (L level-up, K kintuba, C chance). Under
the field: the time in seconds, and a bar per second of how much arrives
(the bats' hit points), which shows where the waves build and breathe. The
"//" comment lines of the shooting section label the waves. The boss is
drawn where the last bat has gone and the wait is over.

Usage: stage_timeline.py [SCRIPT.txt [OUT.png]]
  defaults: assets/src/script/stage_trial.txt, build/stage_timeline.png
The background is the picture the manifest lists for the script's "Back"
line; without one the field is drawn plain.
"""
import os
import re
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..'))
FIELD_W, FIELD_H = 800, 480
SCALE_X, SCALE_Y = 0.25, 0.5          # the picture is a quarter as wide, half as high
FPS = 60
FONT = '/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf'
DELIMS = re.compile(r'[: ,()\t]+')

# behaviour groups of the bats: stop-and-fire, all-at-once, periodic, laser
GROUPS = [(range(1, 15), 'stop and fire', (255, 120, 90)),
          (range(15, 19), 'all at once', (90, 170, 255)),
          (range(19, 20), 'periodic', (255, 220, 80)),
          (range(20, 25), 'laser', (210, 110, 255))]
# hit points on normal (the bats' table); the timeline's density bars add them up
HP = {1: 2, 2: 4, 3: 5, 4: 4, 5: 5, 6: 6, 7: 4, 8: 5, 9: 5, 10: 5, 11: 6, 12: 6, 13: 6, 14: 6,
      15: 7, 16: 7, 17: 7, 18: 7, 19: 7, 20: 7, 21: 10, 22: 10, 23: 10, 24: 10}
ITEMS = {'LevelUp': ('L', (120, 255, 140)), 'Kintuba': ('K', (255, 200, 60)),
         'Chance': ('C', (255, 110, 200))}
# what a bat needs after it enters before it is gone, roughly (frames)
LINGER = 420


def group_of(number):
    for numbers, name, colour in GROUPS:
        if number in numbers:
            return name, colour
    return '?', (200, 200, 200)


def read_script(path):
    """Enemies (position, y, number, item, line), the boss, the wait, wave labels."""
    enemies, labels, boss, wait, back = [], [], None, 0, None
    pending, in_shooting = None, False
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.rstrip('\n')
        words = [w for w in DELIMS.split(line) if w]
        if not words:
            continue
        first = words[0]
        if not in_shooting:
            if first == 'Back' and len(words) > 1:
                back = words[1]
            in_shooting = first.startswith('Shooting')
            continue
        if first == '}':
            in_shooting = False
        elif first == 'Enemy' and len(words) > 3:
            enemies.append((int(words[2]), int(words[3]), int(words[1][3:]), pending, number))
            pending = None
        elif first == 'Item' and len(words) > 1:
            pending = words[1]
        elif first == 'Boss' and len(words) > 1:
            boss = words[1]
        elif first == 'Wait' and len(words) > 1:
            wait = int(words[1])
        elif first == '//':
            labels.append((number, line[2:].strip()))
    # a label belongs to the first enemy after it
    placed = []
    for label_line, text in labels:
        after = [e for e in enemies if e[4] > label_line]
        if after:
            placed.append((after[0][0], text))
    return enemies, placed, boss, wait, back


def background_picture(back):
    """The committed picture the manifest makes the "Back" file from, or None."""
    manifest = os.path.join(ROOT, 'assets', 'manifest.txt')
    for line in open(manifest, encoding='utf-8'):
        fields = line.split()
        if len(fields) >= 3 and fields[0] == back:
            path = os.path.join(ROOT, 'assets', fields[2])
            if os.path.exists(path):
                return Image.open(path).convert('RGB')
    return None


def main(script, out):
    enemies, labels, boss, wait, back = read_script(script)
    last_enter = max(p for p, *_ in enemies) - FIELD_W
    boss_frame = last_enter + LINGER + wait
    picture = background_picture(back) if back else None
    stage_w = max(picture.width if picture else 0, boss_frame + 2 * FIELD_W + 1600)
    W, FH = int(stage_w * SCALE_X), int(FIELD_H * SCALE_Y)
    LANE = 70
    img = Image.new('RGB', (W, FH + LANE + 60), (16, 18, 34))
    if picture:
        field = picture.crop((0, 0, picture.width, min(picture.height, FIELD_H)))
        img.paste(field.resize((int(picture.width * SCALE_X), FH)), (0, 0))
        shade = Image.new('RGB', (W, FH), (0, 0, 0))
        img.paste(Image.blend(img.crop((0, 0, W, FH)), shade, 0.35), (0, 0))
    d = ImageDraw.Draw(img)
    small = ImageFont.truetype(FONT, 10)
    font = ImageFont.truetype(FONT, 13)
    if not picture:
        d.text((8, FH - 18), 'no background picture for %s' % back, font=font, fill=(200, 200, 200))
    # the field's right edge at the start of the shooting phase
    d.line([(FIELD_W * SCALE_X, 0), (FIELD_W * SCALE_X, FH)], fill=(255, 255, 255), width=1)
    # time axis: a tick each 10 seconds (position = 800 + frames)
    for s in range(0, (boss_frame // FPS) + 11, 10):
        x = (FIELD_W + s * FPS) * SCALE_X
        d.line([(x, FH), (x, FH + 6)], fill=(220, 220, 220))
        d.text((x + 2, FH + 6), '%d:%02d' % (s // 60, s % 60), font=small, fill=(220, 220, 220))
    # density: hit points arriving per second, and over the last ten seconds
    seconds = boss_frame // FPS + 1
    per_second = [0] * seconds
    for p, y, n, item, _ in enemies:
        per_second[(p - FIELD_W) // FPS] += HP[n]
    window = [sum(per_second[max(0, s - 9):s + 1]) for s in range(seconds)]
    top, top_window = max(per_second), max(window)
    for s, hp in enumerate(per_second):
        x = (FIELD_W + s * FPS) * SCALE_X
        h = (LANE - 24) * hp / top
        d.rectangle([x, FH + LANE - h, x + FPS * SCALE_X - 1, FH + LANE], fill=(90, 105, 170))
    d.line([((FIELD_W + s * FPS + FPS) * SCALE_X, FH + LANE - (LANE - 24) * v / top_window)
            for s, v in enumerate(window)], fill=(255, 235, 140), width=2)
    d.text((4, FH + 22), 'hit points arriving each second (bars, top %d) and in the last ten '
           'seconds (line, top %d)' % (top, top_window), font=small, fill=(200, 205, 255))
    # wave labels
    for i, (p, text) in enumerate(labels):
        x = p * SCALE_X
        d.line([(x - 6, 0), (x - 6, FH)], fill=(255, 255, 255), width=1)
        d.text((x - 2, 2 + 16 * (i % 2)), text, font=font, fill=(255, 255, 255), stroke_width=2,
               stroke_fill=(0, 0, 0))
    # bats and their items
    for p, y, n, item, _ in enemies:
        x, yy = p * SCALE_X, y * SCALE_Y
        colour = group_of(n)[1]
        if item:
            mark, ring = ITEMS[item]
            d.ellipse([x - 9, yy - 9, x + 9, yy + 9], outline=ring, width=3)
            d.text((x + 8, yy - 16), mark, font=font, fill=ring, stroke_width=2,
                   stroke_fill=(0, 0, 0))
        d.ellipse([x - 5, yy - 5, x + 5, yy + 5], fill=colour, outline=(0, 0, 0))
        d.text((x + 6, yy + 1), str(n), font=small, fill=(255, 255, 255), stroke_width=1,
               stroke_fill=(0, 0, 0))
    # the boss
    bx = (boss_frame + FIELD_W) * SCALE_X
    d.rectangle([bx - 10, FH / 2 - 24, bx + 10, FH / 2 + 24], fill=(240, 240, 255),
                outline=(0, 0, 0))
    d.text((bx + 14, FH / 2 - 8), '%s (about %d:%02d, after a wait of %d frames)'
           % (boss, boss_frame // FPS // 60, boss_frame // FPS % 60, wait), font=font,
           fill=(255, 255, 255), stroke_width=2, stroke_fill=(0, 0, 0))
    # legend
    lx = 6
    for numbers, name, colour in GROUPS:
        d.ellipse([lx, FH + LANE + 12, lx + 10, FH + LANE + 22], fill=colour)
        label = '%s (Bat%d-%d)' % (name, numbers[0], numbers[-1])
        d.text((lx + 14, FH + LANE + 10), label, font=font, fill=(230, 230, 230))
        lx += 22 + int(d.textlength(label, font=font))
    for item, (mark, ring) in ITEMS.items():
        d.ellipse([lx, FH + LANE + 10, lx + 14, FH + LANE + 24], outline=ring, width=3)
        d.text((lx + 18, FH + LANE + 10), '%s %s' % (mark, item), font=font, fill=ring)
        lx += 100
    counts = {k: sum(1 for e in enemies if e[3] == k) for k in ITEMS}
    summary = ('%d bats of %d kinds; last enters at %d:%02d; items: %s'
               % (len(enemies), len({e[2] for e in enemies}), last_enter // FPS // 60,
                  last_enter // FPS % 60,
                  ', '.join('%d %s' % (counts[k], k) for k in ITEMS)))
    d.text((6, FH + LANE + 32), summary, font=font, fill=(230, 230, 230))
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    img.save(out, optimize=True)
    print('%s: %s' % (out, summary))


if __name__ == '__main__':
    args = sys.argv[1:]
    main(args[0] if args else os.path.join(ROOT, 'assets', 'src', 'script', 'stage_trial.txt'),
         args[1] if len(args) > 1 else os.path.join(ROOT, 'build', 'stage_timeline.png'))
