#!/usr/bin/env python3
"""Synthesises the capture sound, a short camera shutter click: two quick bursts of noise
(the shutter opening and closing), each with a fast exponential decay and a touch of low
resonance, then silence. Plain PCM, mono, 11,025 Hz, 8-bit, exactly 5,480 samples.

The noise comes from a fixed linear congruential generator, so every run writes the same
bytes. Usage: make_snapshot_wav.py OUTPUT.wav
"""
import math
import sys
import wave

RATE = 11025
SAMPLES = 5480

# (start in seconds, peak amplitude, decay time constant in seconds, resonance in Hz)
BURSTS = ((0.000, 0.95, 0.010, 1800.0), (0.075, 0.75, 0.015, 1100.0))


class Lcg:
    """Numerical Recipes' 32-bit generator; values in [-1, 1)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def samples():
    noise = Lcg(0x0CE107)
    out = []
    low = 0.0
    for n in range(SAMPLES):
        t = n / RATE
        value = 0.0
        white = noise.next()
        # A one-pole low-pass takes the hiss off the noise.
        low += 0.45 * (white - low)
        for start, peak, tau, hz in BURSTS:
            if t >= start:
                age = t - start
                envelope = peak * math.exp(-age / tau)
                ring = 0.35 * math.sin(2.0 * math.pi * hz * age)
                value += envelope * (0.65 * low + ring)
        value = max(-1.0, min(1.0, value))
        out.append(max(0, min(255, 128 + int(round(value * 127.0)))))
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_snapshot_wav.py OUTPUT.wav")
    data = samples()
    assert len(data) == SAMPLES
    with wave.open(sys.argv[1], "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(data)


if __name__ == "__main__":
    main()
