#!/usr/bin/env python3
"""Finds the clock's sounds in a recording of a sound card's output.

  sound-pieces.py RECORDING.raw SOUND.wav...

RECORDING is raw 16-bit little-endian mono at the sounds' sample rate (parec --format=s16le
--channels=1). Each SOUND is a 16-bit PCM wave file. The recording is cut into pieces at its quiet
stretches; each piece is compared, in 10 ms steps, with the loudness of every SOUND from its start. One
line per piece: its start in seconds, its length in milliseconds, the name of the SOUND it matches over
that sound's whole length ("-" when none does) and how much of that sound it holds in full, in per cent.
A sound cut short matches over its first part only and so holds less than 100 per cent.
"""
import math
import os
import struct
import sys
import wave

STEP = 0.010
QUIET = 300  # loudness (RMS of 16-bit samples) below which a step counts as quiet
QUIET_STEPS = 4  # quiet steps that end a piece
ONSET = 1000  # a sample this loud starts a sound


def loudness(samples, rate):
    n = int(rate * STEP)
    out = []
    for i in range(0, len(samples) - n + 1, n):
        block = samples[i:i + n]
        out.append(math.sqrt(sum(s * s for s in block) / n))
    return out


def read_wave(path):
    with wave.open(path, "rb") as w:
        assert w.getsampwidth() == 2, f"{path}: not 16-bit"
        channels = w.getnchannels()
        data = w.readframes(w.getnframes())
        samples = struct.unpack(f"<{len(data) // 2}h", data)[::channels]
        return w.getframerate(), list(samples)


def trim(levels):
    while levels and levels[-1] < QUIET:
        levels.pop()
    return levels


def onset(samples, start=0, end=None):
    """The first sample from start that is clearly not quiet."""
    for i in range(start, len(samples) if end is None else min(end, len(samples))):
        if abs(samples[i]) > ONSET:
            return i
    return None


def held(recorded, sound):
    """Steps of sound, from its start, that the recording reproduces from its own start."""
    count = 0
    for got, want in zip(recorded + [0.0] * len(sound), sound):
        if abs(got - want) > max(0.35 * want, 2 * QUIET):
            break
        count += 1
    return count


def main():
    raw = open(sys.argv[1], "rb").read()
    raw = raw[:len(raw) // 2 * 2]
    sounds = []
    rate = None
    for path in sys.argv[2:]:
        rate, samples = read_wave(path)
        start = onset(samples) or 0
        sounds.append((os.path.basename(path), trim(loudness(samples[start:], rate))))
    samples = struct.unpack(f"<{len(raw) // 2}h", raw)
    recording = loudness(samples, rate)
    n = int(rate * STEP)

    pieces = []
    start = None
    quiet = 0
    for i, level in enumerate(recording + [0.0] * QUIET_STEPS):
        if level >= QUIET:
            if start is None:
                start = i
            quiet = 0
        elif start is not None:
            quiet += 1
            if quiet == QUIET_STEPS:
                pieces.append((start, i - QUIET_STEPS + 1))
                start = None
    for begin, end in pieces:
        # Sounds and recording compared from their first loud sample, to the sample.
        first = onset(samples, max(0, begin - 1) * n, (begin + 1) * n) or begin * n
        name, percent = "-", 0
        for sound_name, sound in sounds:
            recorded = loudness(samples[first:first + len(sound) * n], rate)
            share = 100 * held(recorded, sound) // len(sound)
            if share > percent:
                name, percent = sound_name, share
        if percent < 50:
            name = "-"
        print(f"{begin * STEP:.2f} {(end - begin) * 10} {name} {percent}")


main()
