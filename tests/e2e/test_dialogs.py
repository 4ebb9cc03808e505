#!/usr/bin/env python3
"""Help > About and Help > Donate: the boxes open centred over the game, close
with Esc, free the mouse first, and the game keeps running behind them."""

import sys
import time

import winegame


def centre(box):
    return ((box[0] + box[2]) / 2.0, (box[1] + box[3]) / 2.0)


def centred_over_game(game, dialog):
    (gx, gy), (dx, dy) = centre(game.frame_box()), centre(game.window_box(dialog))
    return abs(gx - dx) <= 3 and abs(gy - dy) <= 3


def test(game, check):
    left, top, right, bottom = game.client
    game.click(left + 400, top + 300)  # capture the mouse
    check.expect(not game.cursor_visible(), "the mouse is captured")

    game.key("n")  # night falls while the box is open
    game.menu("h", "a")
    about = game.wait_for_window("About", timeout=10)
    check.expect(about is not None, "Help > About opens a window titled About")
    check.expect(game.cursor_visible(), "the mouse is freed before About opens")
    check.expect(centred_over_game(game, about), "About is centred over the game window")
    first = game.shot("about")
    time.sleep(1.0)
    second = game.shot("about-a-second-later")
    sky = (left + 10, top + 5, left + 60, top + 40)
    check.expect(second.differs(first, sky, tolerance=3) > 100, "the game keeps running behind About")

    game.key("Escape")
    check.expect(game.wait_for_no_window("About"), "Esc closes About")

    game.menu("h", "d")
    donate = game.wait_for_window("Donate", timeout=10)
    check.expect(donate is not None, "Help > Donate opens the Donate box directly")
    if donate:
        check.expect(centred_over_game(game, donate), "Donate is centred over the game window")
        game.shot("donate")
        game.key("Escape")
        check.expect(game.wait_for_no_window("Donate"), "Esc closes Donate")

    game.menu("h", "a")
    about = game.wait_for_window("About", timeout=10)
    # The first button of the box, "Donate...", has the focus.
    game.key("space")
    donate = game.wait_for_window("Donate", timeout=10)
    check.expect(donate is not None and game.find_window("About") is None,
                 "About's Donate... closes About and opens Donate")
    if donate:
        check.expect(centred_over_game(game, donate), "that Donate box is centred over the game window")
        game.shot("donate-from-about")
        game.key("Return")
        check.expect(game.wait_for_no_window("Donate"), "OK closes Donate")
    check.expect(game.running(), "the game is still running")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "dialogs"))
