#!/usr/bin/python3
"""Sings a short call from a phrase file (one sound a line: sound, seconds,
MIDI pitch or a glide of two, loudness) into a 44100 Hz 16-bit stereo wave.
An optional line "voice FORMANTS VIBRATO" gives the singer: her formants
scaled by FORMANTS (above 1 a smaller, brighter voice, below 1 a darker one)
and her vibrato's depth in semitones (0.25 when not given).

The voice is additive: every harmonic of the sung pitch gets the loudness of
the vowel's formant resonances at its frequency, so vowels morph smoothly
from one sound to the next. No random numbers: the same phrase gives the same
wave. Usage: sing.py PHRASE.txt OUT.wav
"""
import sys

import numpy as np

from wavefile import write_stereo16

SR = 44100
# formants of a young woman's Japanese vowels and nasals: (F1, F2, F3), band widths, gains
FORMANTS = {
    'a': (850, 1550, 2900), 'i': (330, 2700, 3300), 'u': (380, 1500, 2700),
    'e': (520, 2250, 3000), 'o': (520, 950, 2900), 'm': (280, 1300, 2500),
    'n': (280, 1700, 2600), 'r': (400, 1700, 2800),
}
WIDTHS = (90, 120, 180)
GAINS = (1.0, 0.55, 0.3)
NASAL_LOWPASS = {'m': 0.35, 'n': 0.35}


def keyframes(path):
    """The phrase's pitch, loudness and vowel at the start and 70 % through
    each sound, its length, and the singer's (formant scale, vibrato)."""
    frames, t, singer = [], 0.0, (1.0, 0.25)
    for line in open(path, encoding='utf-8'):
        line = line.split('#', 1)[0].split()
        if not line:
            continue
        if line[0] == 'voice':
            singer = (float(line[1]), float(line[2]))
            continue
        snd, dur = line[0], float(line[1])
        p0 = float(line[2])
        p1 = float(line[3]) if len(line) > 4 else p0
        amp = float(line[-1])
        frames.append((t, snd, p0, amp))
        frames.append((t + dur * 0.7, snd, p0 + (p1 - p0) * 0.7, amp))
        t += dur
        last = (t, snd, p1, amp)
    frames.append(last)
    return frames, t, singer


def main(src, out):
    frames, total, (scale, depth) = keyframes(src)
    n = int(total * SR) + int(0.5 * SR)
    t = np.arange(n) / SR
    kt = np.array([f[0] for f in frames])
    interp = lambda values: np.interp(t, kt, values)
    pitch = interp([f[2] for f in frames])
    amp = interp([f[3] for f in frames])
    fmt = [interp([FORMANTS[f[1]][i] * scale for f in frames]) for i in range(3)]
    nasal = interp([NASAL_LOWPASS.get(f[1], 1.0) for f in frames])
    # vibrato that grows on held notes, a little pitch drift at the start
    vib = depth * np.clip((t - 0.25) / 0.3, 0, 1) * np.sin(2 * np.pi * 5.5 * t)
    f0 = 440.0 * 2 ** ((pitch + vib - 69) / 12)
    phase = 2 * np.pi * np.cumsum(f0) / SR
    voice = np.zeros(n)
    for k in range(1, 40):
        fk = k * f0
        gain = sum(g / (1 + ((fk - F) / w) ** 2) for F, w, g in zip(fmt, WIDTHS, GAINS))
        gain = gain / k ** 0.6 * (fk < 9000)
        gain = gain * np.where(k > 1, nasal, 1.0)
        voice += gain * np.sin(k * phase)
    # breath: a soft noise band around F2, deterministic (fixed seed)
    rng = np.random.RandomState(7)
    breath = np.convolve(rng.standard_normal(n), np.hanning(9), "same") * 0.006
    voice = (voice + breath) * amp
    # envelope: quick attack, end release
    env = np.clip(t / 0.02, 0, 1) * np.clip((total + 0.02 - t) / 0.12, 0, 1)
    voice *= env
    voice /= np.max(np.abs(voice)) / 0.7
    pcm = (np.clip(voice, -1, 1) * 32767).astype('<i2')
    stereo = np.repeat(pcm[:, None], 2, axis=1)
    write_stereo16(out, stereo)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
