#!/usr/bin/env python3
"""Synthesizes the default alarm sound: an alarm-clock ring of three bursts of four beeps.

Usage: alarmsound.py OUTPUT_FILE

Writes a mono 16-bit PCM wave file of about 2.5 seconds at 22050 Hz. Each beep is a 2 kHz tone
with a little of its third harmonic (the hard edge of a clock's bell) and a warble at 30 Hz, with
short rises and falls so it never clicks. The output depends on nothing but this script.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
TONE = 2000.0
BEEP = 0.075       # seconds of one beep
GAP = 0.055        # seconds between the beeps of a burst
PAUSE = 0.36       # seconds between bursts
BEEPS = 4
BURSTS = 3
EDGE = 0.006       # rise and fall of each beep, seconds


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def beep():
    n = int(RATE * BEEP)
    edge = int(RATE * EDGE)
    out = []
    for i in range(n):
        t = i / RATE
        warble = 1.0 + 0.004 * math.sin(2 * math.pi * 30.0 * t)
        phase = 2 * math.pi * TONE * warble * t
        tone = 0.8 * math.sin(phase) + 0.2 * math.sin(3 * phase)
        envelope = min(1.0, i / edge, (n - 1 - i) / edge)
        out.append(tone * envelope)
    return out


def ring():
    out = []
    for burst in range(BURSTS):
        for b in range(BEEPS):
            out += beep()
            if b + 1 < BEEPS:
                out += silence(GAP)
        out += silence(PAUSE)
    return out


def write(path, samples, level=0.7):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * level * 32767))) for s in samples)
    folder = os.path.dirname(path)
    if folder:
        os.makedirs(folder, exist_ok=True)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: alarmsound.py OUTPUT_FILE\n")
        return 2
    write(argv[1], ring())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
