"""The game is heard: a click with the mouse captured sounds the gunshot at once. Wine's sound goes
to files here, one stream for each sample rate."""

import os

import numpy as np

from winegame import Game, main, wait_for


def test(args, check):
    with Game(args, "sound", sound=True) as game:
        gunshot = os.path.join(game.out, "sound-44100.raw")
        check.expect(game.capture(), "a click captures the mouse")
        start = os.path.getsize(gunshot) // 2 if os.path.exists(gunshot) else 0
        game.click()
        # The loudest 16-bit sample of the gunshot's stream since the click.
        peak = lambda: abs(np.fromfile(gunshot, "<i2")[start:].astype(int)).max(initial=0)
        heard = wait_for(lambda: os.path.exists(gunshot) and peak() > 8000, 30)
        check.expect(heard, "the next click plays the gunshot")


if __name__ == "__main__":
    main(test)
