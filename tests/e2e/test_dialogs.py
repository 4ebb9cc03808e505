"""Help > About and Help > Donate open centred over the game with the pointer free, the game runs on
behind them, Esc and OK close them, About's Donate... opens Donate, and both Donate codes scan from
the screen."""

import os
import re
import subprocess

from winegame import Game, main, wait_for

LINKS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "links.h")
ADDRESS = re.search(r'GLADEWARDEN_WEB_ADDRESS "(.*)"', open(LINKS).read()).group(1)


def scans(game, box):
    """What zbarimg reads from the left and the right half of the box as shown."""
    left, top, right, bottom = box
    game.shot("donate")
    crop = ["-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top), "+repage"]
    halves = os.path.join(game.out, "donate-%d.png")
    subprocess.run(["convert", game.last_shot, *crop, "-crop", "2x1@", halves], check=True)
    read = ["zbarimg", "--raw", "--quiet", halves % 0, halves % 1]
    return subprocess.run(read, capture_output=True, text=True).stdout.split()


def test(args, check):
    with Game(args, "dialogs") as game:
        check.expect(game.capture(), "a click captures the mouse")
        game.key("n")  # night falls while the box is open
        check.expect(
            game.opens("About", "h", "a"), "Help > About opens About centred over the game"
        )
        check.expect(wait_for(game.cursor_visible, 20), "the pointer shows over About")
        first = game.view(game.shot("about"))[5:40, 10:60]
        runs = lambda v: (abs(v[5:40, 10:60] - first).max(axis=2) > 3).sum() > 100
        check.expect(game.wait_for_view("about-later", runs), "the game runs on behind About")
        game.key("Escape")
        check.expect(game.wait_for_no_window("About"), "Esc closes About")

        donate = game.opens("Donate", "h", "d")
        check.expect(donate, "Help > Donate opens Donate centred over the game")
        codes = scans(game, donate) if donate else None
        check.expect(codes == [ADDRESS] * 2, "both codes scan as %s (read %s)" % (ADDRESS, codes))
        game.key("Escape")
        check.expect(game.wait_for_no_window("Donate"), "Esc closes Donate")

        game.menu("h", "a")
        game.wait_for_window("About")
        donate = game.opens("Donate", "space") and not game.find_window("About")
        check.expect(donate, "About's first button, Donate..., closes About and opens Donate")
        game.shot("donate-from-about")
        game.key("Return")
        closed = game.wait_for_no_window("Donate") and game.process.poll() is None
        check.expect(closed, "OK closes Donate, the game runs")


if __name__ == "__main__":
    main(test)
