"""Writing the rendered pictures: PNGs without time stamps or other metadata
(so two runs give identical files), and SVG drawings rendered through
rsvg-convert."""
import os
import subprocess

import numpy as np
from PIL import Image


def save_png(img, path, alpha):
    """Writes a PNG without metadata; RGB when the picture has no transparency.
    Fully transparent pixels carry no colour, so equal pictures compress equally."""
    img = img.convert('RGBA' if alpha else 'RGB')
    if alpha:
        arr = np.array(img)
        arr[arr[..., 3] == 0] = 0
        img = Image.fromarray(arr, 'RGBA')
    img.save(path, format='PNG', optimize=False, compress_level=9)
    print('  img/' + os.path.basename(path), img.size[0], 'x', img.size[1])


def render_svg(path, tmp, css=None, scale=1):
    """Renders an SVG file to an RGBA image (css: a stylesheet applied to it)."""
    out = os.path.join(tmp, os.path.basename(path) + '.png')
    cmd = ['rsvg-convert', '--zoom', str(scale), '-o', out]
    if css:
        cmd += ['--stylesheet', css]
    subprocess.run(cmd + [path], check=True)
    img = Image.open(out)
    img.load()
    return img.convert('RGBA')
