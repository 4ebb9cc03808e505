"""The window as a player meets it: whole (caption and menu bar painted) on every start, idle or busy; the
Weather menu's check marks, weather and night, the first click capturing, the questions asked with the pointer
showing, and the close button."""

import subprocess
import sys

import winegame
from winegame import CLEAR_DAY, CLEAR_NIGHT, RAIN_DAY, near, wait_for


def sky(colour, tolerance=8):
    """Most points along the top of the view are that colour."""
    return lambda view: sum(near(view[12, x], colour, tolerance) for x in range(40, 800, 80)) >= 6


def checked_row(game, label, rows=3):
    """Which item row of the open pop-up carries a check mark in its margin."""
    left, top, right, bottom = box = wait_for(game.popup, 30) or (0, 0, 1, rows)
    shot, height, marks = game.shot(label), (bottom - top) / rows, []
    for r in range(rows):
        y0, y1 = int(top + r * height) + 3, int(top + (r + 1) * height) - 3
        background = shot[(y0 + y1) // 2, right - 6]  # past the item's text
        marks.append((abs(shot[y0:y1, left + 7:left + 16] - background).max(axis=2) > 60).sum())
    game.key("Escape", "Escape")
    best = max(range(rows), key=lambda r: marks[r])
    return best if box[1] >= game.client[1] - 2 and marks[best] >= 4 and sorted(marks)[-2] < 2 else None


def starts_whole(args, check):
    """The first frames race the frame's first painting: start it a few times, twice beside two busy processes."""
    for start in range(4):
        busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(2 * (start >= 2))]
        try:
            with winegame.Game(args, "window-start-%d" % start) as game:
                check.expect(wait_for(lambda: game.whole(game.shot("start")), 20, 0.5),
                             "start %d%s: caption and menu bar are painted" % (start, " (busy)" * bool(busy)))
        finally:
            [process.kill() for process in busy]


def test(game, check):
    check.expect(game.client[2:] == (game.client[0] + 800, game.client[1] + 600), "the drawing surface is 800 x 600")
    game.key("alt+w")
    check.expect(checked_row(game, "weather-menu") == 0, "Alt+W opens Weather, None carries the check mark")
    check.expect(game.menu("w", "r") and game.wait_for_view("rainy", sky(RAIN_DAY, 12))[1], "Rainy greys the sky")
    game.key("alt+w")
    check.expect(checked_row(game, "weather-menu-after-rain") == 1, "the check mark moved to Rainy")

    game.menu("w", "n")
    game.key("n")
    check.expect(game.wait_for_view("night", sky(CLEAR_NIGHT, 6))[1], "N eases to the night sky")
    game.key("n")
    check.expect(game.wait_for_view("day-again", sky(CLEAR_DAY, 6))[1], "N again eases back to day")

    check.expect(game.cursor_visible(), "the cursor shows before the first click")
    check.expect(game.capture(), "the first click hides the cursor")

    for ask, what in ((lambda: game.menu("g", "x"), "Game > Exit"), (lambda: game.key("r"), "R, a new game,")):
        game.capture()
        ask()
        check.expect(game.wait_for_window("Confirm"), "%s asks first" % what)
        check.expect(wait_for(game.cursor_visible, 20), "the pointer shows at the question")
        game.shot("question")
        game.key("n")
        check.expect(game.wait_for_no_window("Confirm") and game.process.poll() is None, "No keeps the game")

    game.xdotool("mousemove", game.frame[2] - 12, game.frame[1] + 11)  # the right-most caption button
    game.click()
    check.expect(game.exit_code() == 0, "the close button ends the game with exit code 0")
    check.expect(game.find_window("Confirm") is None, "without a question")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "window", before=starts_whole))
