"""Writes 44100 Hz 16-bit stereo waves for the sound tools (no dither, no
time stamps: the same samples give the same file)."""
import wave

SR = 44100


def write_stereo16(path, pcm):
    """pcm: an (n, 2) array of little-endian int16 samples."""
    with wave.open(path, 'wb') as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(pcm.tobytes())
