#!/usr/bin/env python3
"""Synthesizes the gradient button's four hover sounds as short mono PCM wave files.

Usage: makesounds.py OUTPUT_DIR

Writes pistol.wav, game.wav, fire.wav and health.wav (WAVE resources 1 to 4, in the order of
TSoundScheme). The output depends on nothing but this script: the noise comes from a fixed
linear congruential generator, so every build makes the same bytes.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


class Noise:
    """White noise in -1..1 from a fixed 32-bit LCG."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 0x7FFFFFFF - 1.0


def samples(seconds):
    return range(int(RATE * seconds))


def pistol():
    """A shot: a bright noise crack over a low thump, both dying away fast."""
    noise = Noise(0x51DE)
    out = []
    for i in samples(0.16):
        t = i / RATE
        crack = noise.next() * math.exp(-t * 45.0)
        thump = math.sin(2 * math.pi * 110.0 * t) * math.exp(-t * 20.0)
        out.append(0.55 * crack + 0.4 * thump)
    return out


def game():
    """Three rising square-wave blips, as arcade games beep."""
    out = []
    for freq in (660.0, 880.0, 1320.0):
        n = int(RATE * 0.045)
        for i in range(n):
            t = i / RATE
            square = 1.0 if math.sin(2 * math.pi * freq * t) >= 0 else -1.0
            envelope = min(1.0, i / 60.0) * min(1.0, (n - i) / 200.0)
            out.append(0.35 * square * envelope)
    return out


def fire():
    """A whoosh: low-passed noise swelling and fading, with a few crackles on top."""
    noise = Noise(0xF1AE)
    crackles = Noise(0xC4A3)
    out = []
    low = 0.0
    total = int(RATE * 0.28)
    for i in range(total):
        t = i / total
        low += 0.12 * (noise.next() - low)
        swell = math.sin(math.pi * t)
        crackle = crackles.next() if crackles.next() > 0.985 else 0.0
        out.append(1.6 * low * swell + 0.5 * crackle * (1.0 - t))
    return out


def health():
    """A bright chime sweeping up an octave, with a soft fifth above it."""
    out = []
    phase = phase5 = 0.0
    total = int(RATE * 0.30)
    for i in range(total):
        t = i / total
        freq = 523.25 * (1.0 + t)
        phase += 2 * math.pi * freq / RATE
        phase5 += 2 * math.pi * freq * 1.5 / RATE
        envelope = min(1.0, i / 300.0) * (1.0 - t) ** 1.5
        out.append(envelope * (0.45 * math.sin(phase) + 0.15 * math.sin(phase5)))
    return out


def write(path, values):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32000))) for v in values)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: makesounds.py OUTPUT_DIR")
    out_dir = sys.argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, make in (("pistol", pistol), ("game", game), ("fire", fire), ("health", health)):
        write(os.path.join(out_dir, name + ".wav"), make())


if __name__ == "__main__":
    main()
