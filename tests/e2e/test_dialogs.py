"""Help > About and Help > Donate open centred over the game with the pointer free, the game runs on behind
them, Esc and OK close them, About's Donate... opens Donate, and both Donate codes scan from the screen."""

import os
import re
import subprocess
import sys

import winegame

LINKS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "links.h")
ADDRESS = re.search(r'GLADEWARDEN_WEB_ADDRESS "(.*)"', open(LINKS).read()).group(1)


def opens(game, title, *keys):
    """The box a menu item or key opens, once it stands centred over the game window."""
    game.menu(*keys) if len(keys) == 2 else game.key(*keys)
    centre = lambda b: ((b[0] + b[2]) / 2, (b[1] + b[3]) / 2)
    off = lambda b: max(abs(p - q) for p, q in zip(centre(b), centre(game.frame))) if b else 99
    return winegame.wait_for(lambda: (w := game.find_window(title)) and off(game.box(w)) <= 3 and w)


def scans(game, box):
    """What zbarimg reads from the left and the right half of the box as shown."""
    left, top, right, bottom = game.box(box)
    game.shot("donate")
    crops = [os.path.join(game.out, "donate-%s.png" % side) for side in ("left", "right")]
    for crop, x in zip(crops, (left, (left + right) // 2)):
        subprocess.run(["convert", game.last_shot, "-crop", "%dx%d+%d+%d" % ((right - left) // 2, bottom - top, x, top),
                        crop], check=True)
    return [subprocess.run(["zbarimg", "--raw", "--quiet", crop], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                           text=True).stdout.strip() for crop in crops]


def test(game, check):
    check.expect(game.capture(), "a click captures the mouse")
    game.key("n")  # night falls while the box is open
    check.expect(opens(game, "About", "h", "a"), "Help > About opens About centred over the game")
    check.expect(winegame.wait_for(game.cursor_visible, 20), "the pointer shows over About")
    first = game.view(game.shot("about"))
    runs = lambda v: (abs(v[5:40, 10:60] - first[5:40, 10:60]).max(axis=2) > 3).sum() > 100
    check.expect(game.wait_for_view("about-later", runs)[1], "the game runs on behind About")
    game.key("Escape")
    check.expect(game.wait_for_no_window("About"), "Esc closes About")

    donate = opens(game, "Donate", "h", "d")
    check.expect(donate, "Help > Donate opens Donate centred over the game")
    codes = scans(game, donate) if donate else None
    check.expect(codes == [ADDRESS, ADDRESS], "both codes on screen scan as %s (read %s)" % (ADDRESS, codes))
    game.key("Escape")
    check.expect(game.wait_for_no_window("Donate"), "Esc closes Donate")

    game.menu("h", "a") and game.wait_for_window("About")
    check.expect(opens(game, "Donate", "space") and not game.find_window("About"),
                 "About's first button, Donate..., closes About and opens Donate centred")
    game.shot("donate-from-about")
    game.key("Return")
    check.expect(game.wait_for_no_window("Donate") and game.process.poll() is None, "OK closes Donate, the game runs")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "dialogs"))
