#!/usr/bin/python3
"""Renders the pictures of the shooting stage into assets/img/: Shiro and her
shots, the 24 kintubats, bullets, beams and explosions, Seiichirou, the
items, the information strip and its gauges, the balloons, captions, talk
portraits, the game-over screen and the long scrolling background.

Usage: stage.py ASSETS_DIR [part ...]
  parts: player bats shots items hud talk captions boss portraits gameover back extras hotaru
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
import extras
import hotaru
import scenes
import sprites
import stage_back
from paint import hexrgb
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

# Her drawing is made on a 128-unit page and shrunk by this much into the
# 128 x 128 cell: the game draws her at up to twice the size.
VUZEZ_SCALE = 0.66
# Her unscaled hit box (the game's), the size of the hit marker picture.
VUZEZ_HIT = (40, 22)


def vuzez_frame(f):
    t = f / 4 * 2 * math.pi
    s = math.sin
    fields = {
        'PT0': 24 + 2 * s(t), 'PT1': 24 + 3 * s(t + 0.8), 'PT2': 22 + 4 * s(t + 1.6),
        'PT3': 20 + 4 * s(t + 2.2), 'PT4': 26 + 5 * s(t + 2.8), 'PT5': 32 + 4 * s(t + 2.4),
        'PT6': 36 + 3 * s(t + 1.6), 'PT7': 40 + 2 * s(t + 0.8),
        'RB0': 22 + 3 * s(t + 1), 'RB1': 27 + 3 * s(t + 1), 'RB2': 36 + 3 * s(t + 2), 'RB3': 39 + 3 * s(t + 2),
        'SL0': 46 + 2 * s(t + 0.5), 'SL1': 50 + 4 * s(t + 1.2), 'SL2': 66 + 3 * s(t + 1.6), 'SL3': 70 + 2 * s(t + 1.0),
        'SL4': 70 + 2 * s(t + 0.7), 'SL5': 77 + 2 * s(t + 1.4),
        'EA': -8 + 8 * s(t), 'SX': 3 - 1.5 * (f % 4),
        'MOON': 'inline', 'OPEN': 'inline', 'SHUT': 'none', 'K': VUZEZ_SCALE,
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
    save(sprites.bomb_ring(VUZEZ_SCALE), 'bomb.png')
    save(sprites.hit_marker(*VUZEZ_HIT), 'hit_marker.png')


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


def gauge_pictures():
    template = read_src('svg', 'gauge.svg.in')
    off = {'TRACK': 'none', 'BAR': 'none', 'RIM': 'none', 'C0': '#fff', 'C1': '#fff', 'C2': '#fff'}
    save(svg_text('gauge_white.svg', fill(template, dict(off, TRACK='inline'))), 'gauge_white.png')
    save(svg_text('gauge_arround.svg', fill(template, dict(off, RIM='inline'))), 'gauge_arround.png')
    bars = {'red': ('#ffc0d0', '#ff4d6d', '#b0203e'), 'blue': ('#c8d8ff', '#4a7cff', '#23328f'),
            'yellow': ('#fff4d2', '#ffd874', '#d09a30')}
    for name, (c0, c1, c2) in bars.items():
        fields = dict(off, BAR='inline', C0=c0, C1=c1, C2=c2)
        save(svg_text('gauge_%s.svg' % name, fill(template, fields)), 'gauge_%s.png' % name)


# The words drawn into the stage's pictures, in each language: the file
# suffix (Japanese has none), the face and the words. NAME and MOTTO are the
# trial stage's name and its line (the start caption and the strip's panel);
# NAMESIZE and NAMESPACING set the name in the strip's narrow panel.
LANGUAGES = [
    ('', {'FONT': 'IPAGothic', 'NAME': '月夜の森', 'MOTTO': 'きんつばを取りかえせ！',
          'NAMESIZE': '24', 'NAMESPACING': '3', 'LIFE': 'いのち', 'KINTSUBA': 'きんつば',
          'CONTINUE': 'コンティニューしますか？', 'CLEAR': 'ステージクリア！',
          'GAMEOVER': 'ゲームオーバー', 'GAMEOVER_LINE': 'きんつばは、また来年……？'}),
    ('.en', {'FONT': 'DejaVu Sans', 'NAME': 'Moonlit Forest', 'MOTTO': 'Win back the kintsuba!',
             'NAMESIZE': '15', 'NAMESPACING': '1', 'LIFE': 'Life', 'KINTSUBA': 'Kintsuba',
             'CONTINUE': 'Continue?', 'CLEAR': 'Stage clear!',
             'GAMEOVER': 'Game over', 'GAMEOVER_LINE': 'No kintsuba till next year...?'}),
]


# The signs under the heroines' crests in the strip (the shop's name, the
# ferry's keeper), in each language of LANGUAGES, and how they are set.
SIGNS = {'': {'SIGNSIZE': '18', 'SIGNSPACING': '4', 'SHOP': '月見堂', 'FERRY': '渡し守'},
         '.en': {'SIGNSIZE': '14', 'SIGNSPACING': '1', 'SHOP': 'Tsukimido', 'FERRY': 'Ferrykeeper'}}


def info_strip(name, crest, accent, edge):
    """The information strip with a heroine's crest on the left and her accent
    colours on its hairline and panel; the stage's panel is the same for both."""
    for suffix, words in LANGUAGES:
        crest_text = fill(read_src('svg', crest), dict(words, **SIGNS[suffix]))
        fields = dict(words, CREST=crest_text, ACCENT=accent, EDGE=edge)
        save(svg_text(name + suffix + '.svg', fill(read_src('svg', 'info_area.svg.in'), fields)),
             name + suffix + '.png', alpha=False)


def hud_pictures():
    info_strip('InfoArea', 'crest_moon.svg.frag', '#ffd874', '#f29bb8')
    gauge_pictures()


def hotaru_pictures():
    """The second heroine: her flight sheet, her shots, her items, her strip."""
    save(hotaru.vovizovar_sheet(), 'vovizovar.png')
    save(hotaru.spark(), 'arc_white_bullet.png')
    save(hotaru.lantern_shot(), 'arc_white.png')
    save(hotaru.blue_flame(), 'flare_blue.png')
    for kind in ('lintuba', 'kintuba', 'chance'):
        save(hotaru.item_icon(kind), kind + 'K.png')
    info_strip('InfoAreaK', 'crest_lantern.svg.frag', hotaru.ACCENT, hotaru.EDGE)


def caption(name, word, w, h, size, mid='#ffe6a0', low='#ffc860', glow='#f29bb8', spacing=2,
            font='IPAGothic'):
    fields = {'FONT': font, 'W': str(w), 'H': str(h), 'SIZE': str(size), 'WORD': word, 'CX': str(w // 2),
              'BASE': str(h // 2 + int(size * 0.36)), 'STROKE': str(max(3, size // 6)),
              'BLUR': str(max(2, size // 8)), 'MID': mid, 'LOW': low, 'GLOW': glow, 'SPACING': str(spacing)}
    return svg_text(name + '.svg', fill(read_src('svg', 'caption.svg.in'), fields))


def talk_pictures():
    template = read_src('svg', 'balloon.svg.in')
    save(svg_text('player_ta.svg', fill(template, {'FLIP': '', 'FILL': '#fff4e6', 'EDGE': '#f29bb8'})),
         'player_ta.png')
    save(svg_text('enemy_ta.svg', fill(template, {'FLIP': 'translate(400 0) scale(-1 1)', 'FILL': '#ebe8ff',
                                                   'EDGE': '#8f8ccf'})), 'enemy_ta.png')
    for suffix, words in LANGUAGES:
        save(caption('continue' + suffix, words['CONTINUE'], 400, 64, 30, font=words['FONT']),
             'continue' + suffix + '.png')


def caption_pictures():
    for suffix, words in LANGUAGES:
        font = words['FONT']
        save(caption('info_start1' + suffix, words['NAME'], 480, 52, 40, spacing=8, font=font),
             'info_start1' + suffix + '.png')
        save(caption('info_start2' + suffix, '― %s ―' % words['MOTTO'], 480, 28, 20, mid='#f0eeff',
                     low='#c9c6f0', glow='#8f8ccf', font=font), 'info_start2' + suffix + '.png')
        save(caption('info_end' + suffix, words['CLEAR'], 480, 64, 44, spacing=4, font=font),
             'info_end' + suffix + '.png')


def boss_pictures():
    template = read_src('svg', 'seiichirou_sprite.svg.in')
    calm = svg_text('seiichirou.svg', fill(template, {'CALM': 'inline', 'FIGHT': 'none'}))
    battle = svg_text('seiichirou_battle.svg', fill(template, {'CALM': 'none', 'FIGHT': 'inline'}))
    save(calm, 'seiichirou.png')
    save(battle, 'seiichirou_battle.png')
    # the damage flash: his battle pose as a white-rose silhouette
    save(extras.flash(battle), 'seiichirou_damage.png')
    # his face in the information strip: a band across the eyes of his angry bust
    zoom = 1.2
    face = svg_text('seiichirou.svg', None, scale=zoom, css='seiichirou_angry.css')
    face_path = os.path.join(TMP, 'boss_face_bust.png')
    face.save(face_path)
    fields = {'FACE': face_path, 'FX': str(-14), 'FY': str(-86), 'FW': str(face.width), 'FH': str(face.height)}
    save(svg_text('boss_face.svg', fill(read_src('svg', 'boss_face.svg.in'), fields)), 'boss_face_seiichirou.png')


# Waist-up talk portraits: (picture, bust drawing, its expression, body drawing)
PORTRAITS = [
    ('talk_siro_normal.png', 'siro.svg', 'siro_normal.css', 'portrait_siro.svg'),
    ('talk_siro_smile.png', 'siro.svg', 'siro_smile.css', 'portrait_siro.svg'),
    ('talk_siro_angry.png', 'siro.svg', 'siro_angry.css', 'portrait_siro.svg'),
    ('talk_siro_surprised.png', 'siro.svg', 'siro_surprised.css', 'portrait_siro.svg'),
    ('talk_hotaru_normal.png', 'hotaru.svg', 'hotaru_normal.css', 'portrait_hotaru.svg'),
    ('talk_hotaru_smile.png', 'hotaru.svg', 'hotaru_smile.css', 'portrait_hotaru.svg'),
    ('talk_hotaru_serious.png', 'hotaru.svg', 'hotaru_serious.css', 'portrait_hotaru.svg'),
    ('talk_hotaru_surprised.png', 'hotaru.svg', 'hotaru_surprised.css', 'portrait_hotaru.svg'),
    ('talk_hotaru_troubled.png', 'hotaru.svg', 'hotaru_troubled.css', 'portrait_hotaru.svg'),
    ('talk_seiichirou_normal.png', 'seiichirou.svg', 'seiichirou_normal.css', 'portrait_seiichirou.svg'),
    ('talk_seiichirou_angry.png', 'seiichirou.svg', 'seiichirou_angry.css', 'portrait_seiichirou.svg'),
    ('talk_seiichirou_troubled.png', 'seiichirou.svg', 'seiichirou_troubled.css', 'portrait_seiichirou.svg'),
]


def portrait_pictures():
    bodies = {}
    for out, bust, css, body in PORTRAITS:
        if body not in bodies:
            bodies[body] = svg_text(body, None)
        picture = bodies[body].copy()
        picture.alpha_composite(svg_text(bust, None, css=css), (8, 40))
        # the side facing the middle of the screen: the heroines look right, the other speaker left
        heroine = 'siro' in out or 'hotaru' in out
        save(picture if heroine else picture.transpose(Image.FLIP_LEFT_RIGHT), out)
    save(svg_text('talk_kintubat.svg', None), 'talk_kintubat.png')


def game_over_picture():
    """The game-over screen: the night forest, darkened, the words in the middle.
    The stage spins Shiro's fall picture at (150, 270) and (650, 270): those
    places stay dark and plain."""
    base = scenes.darken(scenes.forest(47), 0.55, blur=2).convert('RGBA')
    veil = np.zeros((600, 800, 4), np.uint8)
    yy, xx = np.mgrid[0:600, 0:800]
    for cx in (150, 650):
        d = np.hypot(xx - cx, yy - 270) / 110.0
        veil[..., 3] = np.maximum(veil[..., 3], (np.clip(1.3 - d, 0, 1) * 170).astype(np.uint8))
    veil[..., :3] = (6, 6, 26)
    base.alpha_composite(Image.fromarray(veil, 'RGBA'))
    for suffix, words in LANGUAGES:
        picture = base.copy()
        font = words['FONT']
        big = caption('game_over' + suffix, words['GAMEOVER'], 360, 80, 46, spacing=2, font=font)
        picture.alpha_composite(big, (400 - 180, 270 - 40))
        line = caption('game_over_line' + suffix, words['GAMEOVER_LINE'], 360, 36, 20, mid='#f0eeff',
                       low='#c9c6f0', glow='#8f8ccf', spacing=1, font=font)
        picture.alpha_composite(line, (400 - 180, 330 - 18))
        save(picture, 'GameOver' + suffix + '.png', alpha=False)


def background_picture():
    """The stage's long background, as a JPEG: a 12000-pixel PNG of a painted
    night would weigh megabytes; the game decodes either inside a .ysf."""
    img = stage_back.paint()
    img.save(os.path.join(OUT, 'stage_trial_back.jpg'), format='JPEG', quality=88, optimize=False,
             progressive=False, subsampling=0)
    print('  img/stage_trial_back.jpg', img.size[0], 'x', img.size[1])


# The two duelling bosses, each her own drawing: the glow round her at rest
# and in battle, and in her pinch.
DUELLISTS = {'kiriha': ('#3a6ad8', '#bfe8f6'), 'erika': ('#e05a8a', '#ffd874')}

# The other bosses' drawings: (picture, drawing). The big bosses' small forms
# are their big figures drawn small, so the change between them reads.
BOSS_DRAWINGS = [('boss_sample.png', 'maruiyatu.svg'), ('teruteruSD.png', 'teruteru.svg'),
                 ('sisterSD.png', 'sister.svg'), ('sasakiSD.png', 'sasaki.svg'),
                 ('cb_sam.png', 'teruteru_big.svg'), ('sister.png', 'sister_big.svg'),
                 ('sasaki_boss.png', 'sasaki_big.svg')]
# Their damage pictures, drawn over the fighting picture.
BOSS_DAMAGE = {'boss_sample.png': 'boss_sample_damage.png', 'cb_sam.png': 'cb_sam_damage.png',
               'sister.png': 'sister_damage.png', 'sasaki_boss.png': 'sasaki_damage.png'}


def duellist(name, fight, pinch=False):
    calm, hot = DUELLISTS[name]
    text = fill(read_src('svg', name + '_sprite.svg.in'),
                {'CALM': 'none' if fight else 'inline', 'FIGHT': 'inline' if fight else 'none',
                 'AURA': hot if pinch else calm})
    return svg_text('%s_%d%d.svg' % (name, fight, pinch), text)


def extra_pictures():
    save(extras.black_bullet(), 'arc_black_bullet.png')
    save(extras.needle_bullet('#ff2e58', '#ffe0e8'), 'red_bullet.png')
    save(extras.needle_bullet('#4a5cff', '#e0e6ff'), 'blue_bullet.png')
    save(extras.slash('#fff0f6', '#ff4f9a'), 'slush.png')
    save(extras.slash('#f0fbff', '#3a8cff'), 'slush_blue.png')
    save(extras.frying_pan(), 'flying_pan.png')
    for name in DUELLISTS:
        save(duellist(name, False), name + '.png')
        battle = duellist(name, True)
        save(battle, name + '_battle.png')
        save(extras.flash(battle), name + '_damage.png')
        save(duellist(name, True, pinch=True), name + '_pinch.png')
    for out, drawing in BOSS_DRAWINGS:
        figure = svg_text(drawing, None)
        save(figure, out)
        if out in BOSS_DAMAGE:
            save(extras.flash(figure), BOSS_DAMAGE[out])
    for name, (picture, box) in BOSS_PORTRAITS.items():
        save(boss_portrait(os.path.join(OUT, picture), box), 'practice_%s.png' % name)


# The practice list's portraits: a square of each boss's fighting picture
# round the face (left, top, size in picture pixels). The trial's boss is
# Seiichirou, so one portrait serves both of his rows.
BOSS_PORTRAITS = {
    'seiichirou': ('seiichirou_battle.png', (34, 2, 56)),
    'erika': ('erika_battle.png', (38, 6, 56)),
    'kiriha': ('kiriha_battle.png', (36, 6, 56)),
    'maruiyatu': ('boss_sample.png', (4, 2, 56)),
    'teruteru': ('cb_sam.png', (126, 40, 190)),
    'sister': ('sister.png', (168, 14, 200)),
    'sasaki': ('sasaki_boss.png', (150, 78, 180)),
}


def boss_portrait(path, box, size=96):
    """size x size: the boss's face in a round night-indigo frame with a gold
    hairline, the figure cut off at the frame."""
    left, top, side = box
    face = Image.open(path).convert('RGBA').crop((left, top, left + side, top + side))
    face = face.resize((size - 8, size - 8), Image.LANCZOS)
    y, x = np.mgrid[0:size, 0:size] + 0.5
    r = np.hypot(x - size / 2, y - size / 2)
    plate = np.zeros((size, size, 4), np.float32)
    inside = np.clip(size / 2 - 3 - r, 0, 1)
    plate[..., :3] = np.array([28, 27, 79], np.float32) * (1 - 0.4 * r / size * 2)[..., None]
    plate[..., 3] = 255 * np.clip(size / 2 - r, 0, 1)
    picture = Image.fromarray(plate.astype(np.uint8), 'RGBA')
    layer = Image.new('RGBA', (size, size))
    layer.alpha_composite(face, (4, 4))
    held = np.asarray(layer).astype(np.float32)
    held[..., 3] *= inside
    picture.alpha_composite(Image.fromarray(held.astype(np.uint8), 'RGBA'))
    ring = np.clip(1.2 - np.abs(r - (size / 2 - 2.5)), 0, 1)
    gold = np.zeros((size, size, 4), np.uint8)
    gold[..., :3] = (255, 216, 116)
    gold[..., 3] = (255 * ring).astype(np.uint8)
    picture.alpha_composite(Image.fromarray(gold, 'RGBA'))
    return picture


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    what = sys.argv[2:] or ['player', 'bats', 'shots', 'items', 'hud', 'talk', 'captions', 'boss',
                           'portraits', 'gameover', 'back', 'extras', 'hotaru']
    if 'player' in what:
        player_pictures()
    if 'bats' in what:
        enemy_pictures()
    if 'shots' in what:
        shot_pictures()
    if 'items' in what:
        item_pictures()
    if 'hud' in what:
        hud_pictures()
    if 'talk' in what:
        talk_pictures()
    if 'captions' in what:
        caption_pictures()
    if 'boss' in what:
        boss_pictures()
    if 'portraits' in what:
        portrait_pictures()
    if 'gameover' in what:
        game_over_picture()
    if 'back' in what:
        background_picture()
    if 'extras' in what:
        extra_pictures()
    if 'hotaru' in what:
        hotaru_pictures()
