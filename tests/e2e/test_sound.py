"""The game is heard: a click with the mouse captured sounds the gunshot at
once. Wine's sound goes to files here, one stream for each sample rate."""

import os
import struct
import sys

from winegame import main_for, wait_for

GUNSHOT = os.path.join("%s", "sound-44100.raw")


def peak_since(game, start):
    """The loudest 16-bit sample of the gunshot's stream past a byte position."""
    with open(GUNSHOT % game.out, "rb") as stream:
        stream.seek(start)
        data = stream.read()
    return max((abs(s) for s in struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])), default=0)


def test(game, check):
    check.expect(game.capture(), "a click captures the mouse")
    start = os.path.getsize(GUNSHOT % game.out) if os.path.exists(GUNSHOT % game.out) else 0
    game.click()
    heard = wait_for(lambda: os.path.exists(GUNSHOT % game.out) and peak_since(game, start) > 8000, 30)
    check.expect(heard, "the next click plays the gunshot")


if __name__ == "__main__":
    sys.exit(main_for(test, "sound", sound=True))
