#!/usr/bin/env python3
"""The window's own close button ends the game at once, without a question."""

import sys

import winegame


def test(game, check):
    game.shot("running")
    left, top, right, bottom = game.frame_box()
    # The close button is the right-most caption button.
    game.click(right - 12, top + 11)
    game.shot("after-close")
    code = game.exit_code(timeout=20)
    check.expect(game.find_window("Confirm") is None, "no confirmation is asked")
    check.expect(code == 0, "the game ended with exit code 0 (got %s)" % code)


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "close_button"))
