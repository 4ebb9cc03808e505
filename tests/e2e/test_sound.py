#!/usr/bin/env python3
"""The game is heard: a shot sounds at once, rain plays without a break while
it rains and stops when the rain does. Wine's sound goes to files here."""

import sys
import time

import winegame

GUNSHOT_RATE = 44100
RAIN_RATE = 22050
# A quarter second of the rain's 16-bit stereo stream, in samples.
WINDOW = RAIN_RATE // 2


def loudness(samples):
    return max((abs(s) for s in samples), default=0)


def windows(samples):
    return [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW + 1, WINDOW)]


def test(game, check):
    left, top, right, bottom = game.client
    game.click(left + 400, top + 300)  # capture the mouse
    time.sleep(1.0)
    before = game.sound_position(GUNSHOT_RATE)
    game.click(pause=1.0)
    shot = game.sound_since(GUNSHOT_RATE, before)
    check.expect(loudness(shot) > 8000, "a click with the mouse captured plays the gunshot (peak %d)" % loudness(shot))

    game.menu("w", "r")
    time.sleep(0.5)
    start = game.sound_position(RAIN_RATE)
    time.sleep(3.0)
    parts = windows(game.sound_since(RAIN_RATE, start))
    check.expect(len(parts) >= 8, "the rain stream keeps flowing while it rains (%d quarter seconds)" % len(parts))
    quiet = [i for i, part in enumerate(parts) if loudness(part) < 1500]
    check.expect(parts and not quiet, "the rain plays without a break (quiet quarter seconds: %s)" % quiet)

    game.menu("w", "n")
    time.sleep(0.5)
    after = game.sound_position(RAIN_RATE)
    time.sleep(2.0)
    rest = game.sound_since(RAIN_RATE, after)
    check.expect(loudness(rest) < 300, "Weather > None stops the rain at once (peak %d)" % loudness(rest))
    game.shot("after-rain")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "sound", capture_sound=True))
