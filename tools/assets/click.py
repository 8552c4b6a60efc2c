#!/usr/bin/env python3
"""Writes the button click: click.py OUT.wav

A 40 ms, 44.1 kHz, 16-bit mono tick: a short burst of noise with two damped
tones under it (a bright one for the snap, a lower one for body), faded to
silence at the end.  The noise comes from a fixed linear congruential
generator, so every run writes the same bytes.
"""
import math
import struct
import sys
import wave

RATE = 44100
LENGTH_MS = 40
FADE_MS = 8
PEAK = 0.6 * 32767


def samples():
    n = RATE * LENGTH_MS // 1000
    fade = RATE * FADE_MS // 1000
    state = 0x2545F491
    out = []
    for i in range(n):
        t = i / RATE
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        noise = state / 0x3FFFFFFF - 1.0
        v = (0.55 * noise * math.exp(-t / 0.0012)
             + 0.8 * math.sin(2 * math.pi * 3100 * t) * math.exp(-t / 0.0030)
             + 0.45 * math.sin(2 * math.pi * 950 * t) * math.exp(-t / 0.0070))
        v *= min(1.0, i / 12)          # 0.3 ms attack, no step at the start
        if i >= n - fade:
            v *= (n - 1 - i) / fade    # ends exactly on zero
        out.append(v)
    top = max(abs(v) for v in out)
    return [int(round(v / top * PEAK)) for v in out]


def main(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples()))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
