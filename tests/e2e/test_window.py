#!/usr/bin/env python3
"""The window, its menus, weather and night, mouse capture and firing, and
leaving through Game > Exit, as a player meets them."""

import sys
import time

import winegame
from winegame import CLEAR_DAY, CLEAR_NIGHT, RAIN_DAY, near


def sky_samples(game, shot):
    # Points along the top of the view, above the horizon at the start.
    return [game.client_pixel(shot, x, 12) for x in range(40, 800, 80)]


def mostly(samples, colour, tolerance=8):
    return sum(1 for s in samples if near(s, colour, tolerance)) >= len(samples) * 0.6


def checked_row(shot, box, rows):
    """Which of the popup's item rows carries a check mark in its left margin."""
    left, top, right, bottom = box
    row_height = (bottom - top) / rows
    marks = []
    for r in range(rows):
        y0, y1 = int(top + r * row_height) + 3, int(top + (r + 1) * row_height) - 3
        background = shot.pixel(right - 6, (y0 + y1) // 2)  # past the item's text
        margin = (left + 7, y0, left + 16, y1)  # inside the highlight's edge
        marks.append(shot.count(margin, lambda p: max(abs(p[k] - background[k]) for k in range(3)) > 60))
    best = max(range(rows), key=lambda r: marks[r])
    return best if marks[best] >= 4 and sorted(marks)[-2] < 2 else None


def test(game, check):
    left, top, right, bottom = game.client
    check.expect((right - left, bottom - top) == (800, 600),
                 "the client area is 800 x 600 (got %d x %d)" % (right - left, bottom - top))
    frame = game.frame_box()
    check.expect(frame[1] < top - 30, "a caption and a menu bar sit above the client area")

    shot = game.shot("start")
    check.expect(mostly(sky_samples(game, shot), CLEAR_DAY), "the sky is the clear-day colour")

    # The three menus open from the menu bar.
    weather_box = None
    for letter, label in (("g", "game"), ("w", "weather"), ("h", "help")):
        game.key("alt+" + letter)
        box = game.popup_box()
        opened = game.shot("menu-" + label)
        check.expect(box is not None and box[1] >= top - 2, "Alt+%s opens the %s menu" % (letter.upper(), label))
        game.key("Escape", "Escape")
        if letter == "w":
            weather_open, weather_box = opened, box

    if weather_box:
        check.expect(checked_row(weather_open, weather_box, 3) == 0, "None carries the check mark at first")

    game.menu("w", "r")
    rainy = game.wait_for_pixel(400, 12, RAIN_DAY, "rainy")
    check.expect(mostly(sky_samples(game, rainy), RAIN_DAY, 12), "Weather > Rainy turns the sky rain grey")
    game.key("alt+w")
    game.popup_box()
    opened = game.shot("weather-menu-after-rain")
    game.key("Escape", "Escape")
    if weather_box:
        check.expect(checked_row(opened, weather_box, 3) == 1, "the check mark moved to Rainy")

    game.menu("w", "n")
    game.key("n")
    time.sleep(1.0)
    easing = game.shot("night-easing")
    midway = game.client_pixel(easing, 400, 12)
    check.expect(not near(midway, CLEAR_DAY, 10) and not near(midway, CLEAR_NIGHT, 10),
                 "a second after N the sky is between day and night %s" % (midway,))
    night = game.wait_for_pixel(400, 12, CLEAR_NIGHT, "night", timeout=10, tolerance=4)
    check.expect(mostly(sky_samples(game, night), CLEAR_NIGHT, 6), "N eases to the night sky within seconds")
    game.key("n")
    day = game.wait_for_pixel(400, 12, CLEAR_DAY, "day-again", timeout=10, tolerance=4)
    check.expect(mostly(sky_samples(game, day), CLEAR_DAY, 6), "N again eases back to day")

    check.expect(game.cursor_visible(), "the cursor shows before the first click")
    before_click = game.shot("before-first-click")
    game.click(left + 400, top + 300)
    check.expect(not game.cursor_visible(), "the first click hides the cursor")
    first = game.shot("after-first-click")
    hud_text = (left + 10, top + 60, left + 260, top + 110)
    check.expect(first.differs(before_click, hud_text) < 30, "the first click fires nothing (accuracy unchanged)")
    game.click()
    fired = game.shot("after-second-click")
    check.expect(fired.differs(first, hud_text) > 30, "the second click fires (the accuracy line changes)")

    game.menu("g", "x")
    box = game.wait_for_window("Confirm", timeout=10)
    shot1 = game.shot("exit-question")
    check.expect(box is not None, "Game > Exit asks before leaving")
    game.key("n")
    check.expect(game.wait_for_no_window("Confirm"), "No closes the question")
    time.sleep(1.0)
    check.expect(game.running(), "No keeps the game running")

    game.menu("g", "x")
    game.wait_for_window("Confirm", timeout=10)
    game.key("y", pause=0.1)
    check.expect(game.exit_code(timeout=20) == 0, "Yes ends the game with exit code 0")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "window"))
