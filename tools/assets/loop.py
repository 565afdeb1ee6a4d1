#!/usr/bin/python3
"""Turns a rendered tune into a seamless loop.

Reads the 32-bit float stereo wave that fluidsynth rendered from the tune's
MIDI file, keeps exactly the loop's length (beats x 60 / tempo seconds, a
whole number of samples at 44100 Hz), adds everything after the loop end (the
release tail of the last notes and the reverb) onto the loop's start, as the
sound would be heard when the loop repeats, scales the peak to -1.5 dBFS and
writes a 16-bit stereo wave without dither. The loop length is read from the
ABC source: "Q:1/4=BPM" and a comment "% loop: ... = N beats".

Usage: loop.py TUNE.abc RENDERED.wav OUT.wav
"""
import os
import re
import struct
import sys

import numpy as np

from wavefile import write_stereo16

SR = 44100


def loop_samples(abc_text):
    bpm = int(re.search(r'^Q:1/4=(\d+)', abc_text, re.M).group(1))
    beats = int(re.search(r'^%\s*loop:.*?=\s*(\d+) beats', abc_text, re.M).group(1))
    samples = beats * 60 * SR
    if samples % bpm:
        sys.exit('loop of %d beats at %d bpm is not a whole number of samples' % (beats, bpm))
    return samples // bpm


def read_float_wave(path):
    data = open(path, 'rb').read()
    pos, fmt, pcm = 12, None, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack('<I', data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if cid == b'fmt ':
            fmt = struct.unpack('<HHIIHH', body[:16])
        elif cid == b'data':
            pcm = body
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, _, bits = fmt
    if tag != 3 or bits != 32 or rate != SR or channels != 2:
        sys.exit('%s: expected 32-bit float stereo at %d Hz' % (path, SR))
    return np.frombuffer(pcm, '<f4').reshape(-1, 2).astype(np.float64)


def main(abc, rendered, out):
    n = loop_samples(open(abc, encoding='utf-8').read())
    x = read_float_wave(rendered)
    if len(x) < n:
        x = np.vstack([x, np.zeros((n - len(x), 2))])
    loop = x[:n].copy()
    tail = x[n:]
    if len(tail) >= n:
        sys.exit('tail longer than the loop')
    loop[:len(tail)] += tail
    loop *= (10 ** (-1.5 / 20)) / np.max(np.abs(loop))
    pcm = np.round(loop * 32767).astype('<i2')
    jump = np.abs(pcm[0].astype(int) - pcm[-1].astype(int)).max()
    step = np.abs(np.diff(np.vstack([pcm[-64:], pcm[:64]]).astype(int), axis=0)).max()
    print('  %s: %d samples (%.2f s), seam jump %d, largest step near the seam %d'
          % (os.path.basename(out), n, n / SR, jump, step))
    write_stereo16(out, pcm)


if __name__ == '__main__':
    main(*sys.argv[1:4])
