"""The window as a player meets it: whole (caption and menu bar painted) on every start, idle or
busy; the Weather menu's check marks, weather and night, the first click capturing, the questions
asked with the pointer showing, and the close button."""

import subprocess
import sys

from winegame import CLEAR_DAY, CLEAR_NIGHT, RAIN_DAY, Game, main, near, wait_for

SPIN = [sys.executable, "-c", "while True: pass"]


def sky(colour, tolerance):  # most points along the top of the view are that colour
    return lambda view: sum(near(view[12, x], colour, tolerance) for x in range(40, 800, 80)) >= 6


def checked_row(game, label, rows=3):
    """Which row of the open pop-up alone carries a check mark, waiting while it is painted."""
    left, top, right, bottom = wait_for(game.popup, 30) or (0, 0, 1, rows)
    height = (bottom - top) / rows

    def alone():
        shot, marks = game.shot(label), []
        for r in range(rows):
            y0, y1 = int(top + r * height) + 3, int(top + (r + 1) * height) - 3
            # The mark's column against the row's background, past the item's text.
            column = shot[y0:y1, left + 7 : left + 16] - shot[(y0 + y1) // 2, right - 6]
            marks.append((abs(column).max(axis=2) > 60).sum())
        best = max(range(rows), key=lambda r: marks[r])
        return marks[best] >= 4 and sorted(marks)[-2] < 2 and [best]

    found = top >= game.client[1] - 2 and wait_for(alone, 20, 0.3)
    game.key("Escape", "Escape")
    return found[0] if found else None


def test(args, check):
    # The first frames race the frame's first painting: start it four times, two beside busy CPUs.
    for start in range(4):
        busy = [subprocess.Popen(SPIN) for _ in range(start // 2 * 2)]
        try:
            with Game(args, "window-start-%d" % start) as game:
                whole = wait_for(lambda: game.whole(game.shot("start")), 20, 0.5)
                check.expect(whole, "start %d, %d busy: frame painted" % (start, len(busy)))
        finally:
            for process in busy:
                process.kill()

    with Game(args, "window") as game:
        size = (game.client[2] - game.client[0], game.client[3] - game.client[1])
        check.expect(size == (800, 600), "the drawing surface is 800 x 600 (is %s)" % (size,))
        game.key("alt+w")
        check.expect(checked_row(game, "weather") == 0, "Alt+W opens Weather, None checked")
        game.menu("w", "r")
        check.expect(game.wait_for_view("rainy", sky(RAIN_DAY, 12)), "Rainy greys the sky")
        game.key("alt+w")
        check.expect(checked_row(game, "weather-after-rain") == 1, "the check mark moved to Rainy")
        game.menu("w", "n")
        for label, colour in (("night", CLEAR_NIGHT), ("day", CLEAR_DAY)):
            game.key("n")
            check.expect(game.wait_for_view(label, sky(colour, 6)), "N eases to the %s sky" % label)

        check.expect(game.cursor_visible(), "the cursor shows before the first click")
        check.expect(game.capture(), "the first click hides the cursor")
        for what, keys in (("Game > Exit", "gx"), ("R, a new game,", "r")):
            game.capture()
            check.expect(
                game.opens("Confirm", *keys), "%s asks first, centred over the game" % what
            )
            check.expect(wait_for(game.cursor_visible, 20), "the pointer shows at the question")
            game.shot("question")
            game.key("n")
            kept = game.wait_for_no_window("Confirm") and game.process.poll() is None
            check.expect(kept, "No keeps the game")

        game.xdotool("mousemove", game.frame[2] - 12, game.frame[1] + 11)  # the close button
        game.click()
        check.expect(game.exit_code() == 0, "the close button ends the game with exit code 0")
        check.expect(game.find_window("Confirm") is None, "without a question")


if __name__ == "__main__":
    main(test)
