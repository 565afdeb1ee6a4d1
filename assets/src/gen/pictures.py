#!/usr/bin/python3
"""Renders every picture of MIRELUNE into assets/img/ from the sources in
assets/src/: computed scenes (scenes.py), SVG drawings (assets/src/svg, drawn
with rsvg-convert) and the menu words (assets/src/menu).

Usage: pictures.py ASSETS_DIR
Deterministic: fixed seeds, and PNGs written by PIL with no time stamps or
other metadata.
"""
import atexit
import os
import re
import shutil
import sys
import tempfile

from PIL import Image, ImageFont

import scenes
from output import render_svg, save_png

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..'))
SRC = os.path.join(ROOT, 'src')
OUT = os.path.join(ROOT, 'img')
TMP = tempfile.mkdtemp(prefix='mirelune-art-')
atexit.register(shutil.rmtree, TMP, True)
FACE_W, FACE_H = 230, 240


def svg(name, css=None, text=None, scale=1):
    """Renders an SVG (file name under src/svg, or SVG text) to an RGBA image."""
    if text is not None:
        path = os.path.join(TMP, name)
        with open(path, 'w', encoding='utf-8') as f:
            f.write(text)
    else:
        path = os.path.join(SRC, 'svg', name)
    return render_svg(path, TMP, os.path.join(SRC, 'svg', css) if css else None, scale)


def save(img, name, alpha):
    save_png(img, os.path.join(OUT, name), alpha)


def over(base, layer):
    base = base.convert('RGBA')
    return Image.alpha_composite(base, layer.resize(base.size, Image.LANCZOS) if layer.size != base.size else layer)


# The words of full-screen drawings put into English: (Japanese, English) pieces
# of each drawing's SVG text. The Japanese picture is the drawing as it is.
ENGLISH_WORDS = {
    'title_text.svg': [('>体験版</text>', '>TRIAL</text>')],
    'config_frame.svg': [('letter-spacing="6" fill="#fff4d2"', 'letter-spacing="2" fill="#fff4d2"'),
                         ('>設定</text>', ' font-family="DejaVu Sans">Settings</text>'),
                         ('>CONFIGURATION</text>', '></text>')],
}


def in_both_languages(name):
    """A full-screen drawing under src/svg as it is and in English: (suffix, image) pairs."""
    text = open(os.path.join(SRC, 'svg', name), encoding='utf-8').read()
    english = text
    for japanese, words in ENGLISH_WORDS[name]:
        if japanese not in english:
            sys.exit('%s: %r is not in the drawing' % (name, japanese))
        english = english.replace(japanese, words)
    return [('', svg(name)), ('.en', svg(name.replace('.svg', '.en.svg'), text=english))]


def full_screens():
    save(svg('logo.svg'), 'logo.png', False)
    lake = scenes.lake(11, moon_xy=(640, 118), moon_r=58, horizon=330, bats=6, bat_box=(40, 30, 540, 80)).image()
    for suffix, words in in_both_languages('title_text.svg'):
        save(over(lake, words), 'title_menu' + suffix + '.png', False)
    cfg = scenes.darken(scenes.lake(17, moon_xy=(700, 90), moon_r=40, horizon=300, bats=3), 0.45, blur=3)
    for suffix, words in in_both_languages('config_frame.svg'):
        save(over(cfg, words), 'config' + suffix + '.png', False)
    # Practice: the same frame without the configuration's heading and row
    # lines; the practice scene writes its own heading and rows.
    frame = open(os.path.join(SRC, 'svg', 'config_frame.svg'), encoding='utf-8').read()
    bare = re.sub(r'<g stroke="#ffd874".*?</g>\s*', '', frame, flags=re.S)
    bare = re.sub(r'<g font-family="IPAGothic">.*?</g>\s*', '', bare, flags=re.S)
    save(over(cfg, svg('practice_frame.svg', text=bare)), 'practice.png', False)
    # The results card's backdrop: the same night, one panel in the middle.
    save(over(cfg, svg('results_frame.svg')), 'results.png', False)
    # talk backgrounds
    save(scenes.lake(29, moon_xy=(560, 150), moon_r=70, horizon=380, bats=5).image(), 'bg_lake.png', False)
    save(scenes.forest(23).image(), 'bg_forest.png', False)
    shore = scenes.lake(31, moon_xy=(250, 120), moon_r=54, horizon=400, bats=0).image()
    save(over(shore, svg('shop.svg')), 'bg_shore.png', False)


def talk_window_and_icons():
    save(svg('talk_area.svg'), 'talk_area.png', True)
    save(svg('icon.svg'), 'icon.png', True)
    save(svg('icon_small.svg'), 'icon_small.png', True)


def faces():
    for line in open(os.path.join(SRC, 'svg', 'faces.txt'), encoding='utf-8'):
        line = line.split('#', 1)[0].split()
        if not line:
            continue
        out, drawing, css = line
        # 230 wide: drawn 30 px left of the talk window, the face ends where the text starts
        save(svg(drawing, css=css).crop((0, 0, FACE_W, FACE_H)), out, True)


# The faces the menu words are drawn in, and the file PIL measures English with.
JAPANESE_FONT = 'IPAGothic'
ENGLISH_FONT = 'DejaVu Sans'
ENGLISH_FONT_FILE = '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf'


def menu_items():
    """Each menu word in both languages: NAME_n/_s.png and NAME_n/_s.en.png."""
    template = open(os.path.join(SRC, 'menu', 'item.svg.in'), encoding='utf-8').read()
    for line in open(os.path.join(SRC, 'menu', 'items.txt'), encoding='utf-8'):
        line = line.split('#', 1)[0].split()
        if not line:
            continue
        name, w, h, size = line[0], int(line[2]), int(line[3]), int(line[4])
        japanese, english = line[1].replace('_', ' '), line[5].replace('_', ' ')
        for suffix, word, language_face in (('', japanese, JAPANESE_FONT), ('.en', english, ENGLISH_FONT)):
            face = word_face(word, language_face)
            menu_word(template, name, suffix, word, face, word_width(word, face, size), w, h, size)


def word_face(word, language_face):
    """The face a word is drawn in: its picture's language's, except that a word
    in the other script keeps its own face (a language's name is written in that
    language: 日本語 and English look the same in both pictures)."""
    if any(ord(c) >= 0x3000 for c in word):
        return JAPANESE_FONT
    if all(ord(c) < 0x80 for c in word):
        return ENGLISH_FONT
    return language_face


def word_width(word, face, size):
    if face == JAPANESE_FONT:
        return len(word) * size  # Japanese words are full-width: one em a character
    return round(ImageFont.truetype(ENGLISH_FONT_FILE, size).getlength(word))


def menu_word(template, name, suffix, word, font, width, w, h, size):
    cx = (w + size) // 2  # the word sits right of centre, leaving room for the crescent
    mark_x = cx - width // 2 - size // 2 - 4
    if cx + width // 2 > w:
        sys.exit('menu word %r does not fit its %d px picture %s' % (word, w, name))
    for state in ('n', 's'):
        text = template
        fields = {'W': w, 'H': h, 'SIZE': size, 'WORD': word, 'CX': cx, 'FONT': font,
                  'BASE': h // 2 + int(size * 0.36), 'STROKE': max(3, size // 6),
                  'NORMAL': 'inline' if state == 'n' else 'none',
                  'SELECTED': 'inline' if state == 's' else 'none',
                  'MARKX': mark_x, 'MARKY': h // 2, 'MARKS': round(size / 20, 3),
                  'GLOWY': h // 2 - size // 2, 'GLOWW': w - 12, 'GLOWH': size, 'GLOWR': size // 2}
        for k, v in fields.items():
            text = text.replace('${' + k + '}', str(v))
        out = name + '_' + state + suffix
        save(svg(out + '.svg', text=text), out + '.png', True)


def volume_pips():
    """The volume gauge's two pips: lit (up to the level) and unlit."""
    template = open(os.path.join(SRC, 'menu', 'volume_pip.svg.in'), encoding='utf-8').read()
    for state, lit in (('on', 'inline'), ('off', 'none')):
        text = template.replace('${LIT}', lit).replace('${UNLIT}', 'none' if lit == 'inline' else 'inline')
        save(svg('volume_' + state + '.svg', text=text), 'volume_' + state + '.png', True)


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    what = sys.argv[2:] or ['full', 'talk', 'faces', 'menu']
    if 'full' in what:
        full_screens()
    if 'talk' in what:
        talk_window_and_icons()
    if 'faces' in what:
        faces()
    if 'menu' in what:
        menu_items()
        volume_pips()
