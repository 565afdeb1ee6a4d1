#!/usr/bin/python3
"""Renders a looping sound effect (assets/src/sfx/NAME.loop) into a 44100 Hz
16-bit stereo wave whose last sample runs into its first without a seam.

Everything in the loop is periodic in the loop's length: the noise bands are
shaped in the frequency domain of the whole loop (so filtered noise wraps
round exactly), tones are rounded to a whole number of cycles per loop, and
the swells of the envelope are whole cycles too. The envelope is at its low
point on the first sample, so the first play starts softly. Peaks are scaled
to -3 dBFS, as the other effects.

Recipe lines (# starts a comment):
  seconds S          length of one loop
  seed N             the noise generator's seed (fixed: same recipe, same wave)
  swells N FLOOR     N swells of the envelope per loop, FLOOR its low point 0..1
  noise LO HI GAIN   a band of noise from LO to HI Hz
  tone HZ GAIN       a sine, its frequency rounded to whole cycles per loop
  wobble HZ DEPTH    a fast tremolo on top (rounded to whole cycles)

Usage: loop_sfx.py RECIPE.loop OUT.wav
"""
import sys

import numpy as np

from wavefile import write_stereo16

SR = 44100


def read_recipe(path):
    recipe = {'seconds': 2.0, 'seed': 1, 'swells': (1, 0.2), 'noise': [], 'tone': [],
              'wobble': []}
    for line in open(path, encoding='utf-8'):
        words = line.split('#', 1)[0].split()
        if not words:
            continue
        key, values = words[0], [float(v) for v in words[1:]]
        if key in ('noise', 'tone', 'wobble'):
            recipe[key].append(values)
        elif key == 'swells':
            recipe[key] = (int(values[0]), values[1])
        elif key in ('seconds', 'seed'):
            recipe[key] = values[0]
        else:
            sys.exit('%s: unknown recipe word %s' % (path, key))
    return recipe


def whole_cycles(hz, n):
    return max(1, round(hz * n / SR))


def main(src, out):
    r = read_recipe(src)
    n = int(round(r['seconds'] * SR))
    t = np.arange(n)
    rng = np.random.RandomState(int(r['seed']))
    freqs = np.fft.rfftfreq(n, 1 / SR)
    channels = []
    for _ in range(2):
        x = np.zeros(n)
        for lo, hi, gain in r['noise']:
            spectrum = np.fft.rfft(rng.standard_normal(n))
            # soft band edges, a quarter octave wide
            band = (1 / (1 + (lo / np.maximum(freqs, 1)) ** 8)) / (1 + (freqs / hi) ** 8)
            band_noise = np.fft.irfft(spectrum * band, n)
            x += gain * band_noise / np.sqrt(np.mean(band_noise ** 2))
        for hz, gain in r['tone']:
            x += gain * np.sin(2 * np.pi * whole_cycles(hz, n) * t / n)
        channels.append(x)
    swells, floor = r['swells']
    env = floor + (1 - floor) * 0.5 * (1 - np.cos(2 * np.pi * swells * t / n))
    for hz, depth in r['wobble']:
        env *= 1 - depth * 0.5 * (1 - np.cos(2 * np.pi * whole_cycles(hz, n) * t / n))
    stereo = np.stack([c * env for c in channels], axis=1)
    stereo *= (10 ** (-3 / 20)) / np.max(np.abs(stereo))
    pcm = np.round(stereo * 32767).astype('<i2')
    write_stereo16(out, pcm)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
