#!/usr/bin/python3
"""Renders the desktop icons of MIRELUNE into assets/icons/hicolor/: the
full icon (src/svg/icon.svg) from 32 pixels up, the simplified one
(src/svg/icon_small.svg) for the small sizes where the ears and the face
would blur, and the full icon as the scalable SVG.

Usage: icons.py ASSETS_DIR
Deterministic: rsvg-convert at fixed sizes, PNGs written without metadata.
"""
import atexit
import os
import shutil
import sys
import tempfile

from output import render_svg, save_png

APP_ID = 'io.github.mirelune.Mirelune'
SMALL = (16, 22, 24)
LARGE = (32, 48, 64, 128, 256)

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..'))
SRC = os.path.join(ROOT, 'src', 'svg')
OUT = os.path.join(ROOT, 'icons', 'hicolor')
TMP = tempfile.mkdtemp(prefix='mirelune-icons-')
atexit.register(shutil.rmtree, TMP, True)


def folder(size):
    path = os.path.join(OUT, size, 'apps')
    os.makedirs(path, exist_ok=True)
    return path


if __name__ == '__main__':
    for size in SMALL + LARGE:
        source, drawn = ('icon_small.svg', 16) if size in SMALL else ('icon.svg', 64)
        img = render_svg(os.path.join(SRC, source), TMP, scale=size / drawn)
        assert img.size == (size, size), (source, size, img.size)
        save_png(img, os.path.join(folder('%dx%d' % (size, size)), APP_ID + '.png'), True)
    shutil.copyfile(os.path.join(SRC, 'icon.svg'), os.path.join(folder('scalable'), APP_ID + '.svg'))
    print('  icons/hicolor/scalable/apps/' + APP_ID + '.svg')
