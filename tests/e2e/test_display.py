"""Minimised, the game shows no frame (Mesa's hidden HUD writes a line a second while frames show)
and rests; restored, it draws again. In the screen's corner and shrunk, About, Donate and a question
open wholly on the screen, over the game as far as they fit. At 150 % (LogPixels 144) the view is
1200 x 900, text and boxes grow."""

import os
import time

from winegame import Game, main, wait_for


def help_line_height(game, label):
    """Rows from top to bottom of the white letters at the view's bottom left."""
    view = game.view(game.shot(label))
    part = view[-view.shape[0] // 15 :, : view.shape[1] // 3]
    rows = [r for r in range(len(part)) if (part[r].min(axis=1) > 230).sum() >= 8]
    return rows[-1] - rows[0] + 1 if rows else 0


def frames_and_cpu(game):
    """Lines the HUD wrote so far, and clock ticks of CPU the game's process used."""
    path = os.path.join(os.environ["GALLIUM_HUD_DUMP_DIR"], "fps")
    lines = len(open(path).read().split()) if os.path.exists(path) else 0
    fields = open("/proc/%d/stat" % game.process.pid).read().rpartition(")")[2].split()
    return lines, int(fields[11]) + int(fields[12])  # user and system time


def quiet(game, seconds=3):
    """A stretch of seconds with no frame shown and under 5 % of one core used."""
    lines, ticks = frames_and_cpu(game)
    time.sleep(seconds)
    now = frames_and_cpu(game)
    return now[0] == lines and now[1] - ticks < 0.05 * seconds * os.sysconf("SC_CLK_TCK")


def minimising(game, check):
    frame = game.frame
    game.menu("space", "n")
    minimised = wait_for(lambda: (b := game.box(game.window)) and b[3] < b[1] + 60, 30)
    check.expect(minimised, "minimised")
    check.expect(wait_for(lambda: quiet(game), 60, 0), "minimised, no frame, the CPU rests")
    game.menu("space", "r")
    check.expect(wait_for(lambda: game.box(game.window) == frame, 30), "restored where it was")
    shown = frames_and_cpu(game)[0]
    check.expect(wait_for(lambda: frames_and_cpu(game)[0] >= shown + 2, 30), "restored, it draws")


def drag(game, start, end, arrived):
    game.xdotool("mousemove", *start, "mousedown", 1, "mousemove", *end)
    wait_for(lambda: (box := game.box(game.window)) and arrived(box), 20)
    game.xdotool("mouseup", 1)


def opened(game, title, keys, close="Escape"):
    """The box the menu keys open, once it stands over the game as far as it fits; closed again."""
    box = game.opens(title, *keys)
    game.shot(title.lower())
    game.key(close)
    game.wait_for_no_window(title)
    return box


def test(args, check):
    hud = os.path.join(args.work, "screenshots", "display-96")  # Mesa's hidden HUD, a line a second
    os.environ.update(GALLIUM_HUD="fps", GALLIUM_HUD_VISIBLE="false", GALLIUM_HUD_PERIOD="1")
    os.environ.update(GALLIUM_HUD_DUMP_DIR=hud)
    with Game(args, "display-96") as game:
        text = help_line_height(game, "96-dpi")
        minimising(game, check)
        # Moved to the top left corner and shrunk, the boxes cannot all stand centred over the game.
        left, top, right, bottom = game.frame
        drag(game, (left + 150, top + 10), (150, 10), lambda b: b[:2] == (0, 0))
        drag(game, (right - left - 2, bottom - top - 2), (200, 150), lambda b: b[2] < 260)
        boxes = {}
        for title, keys in (("About", "ha"), ("Donate", "hd"), ("Confirm", "gx")):
            boxes[title] = opened(game, title, keys, "n" if title == "Confirm" else "Escape")
            check.expect(boxes[title], "%s opens on the screen, over the game" % title)

    with Game(args, "display-144", screen=(1600, 1200), dpi=144) as game:
        view = (game.client[2] - game.client[0], game.client[3] - game.client[1])
        check.expect(view == (1200, 900), "at 150 %% the view is 1200 x 900 (is %s)" % (view,))
        taller = help_line_height(game, "144-dpi") / max(text, 1)
        check.expect(taller > 1.3, "at 150 %% the help line is taller (%.2f times)" % taller)
        about, bigger = boxes["About"], opened(game, "About", "ha")
        wider = (bigger[2] - bigger[0]) / (about[2] - about[0]) if bigger and about else 0
        check.expect(1.35 < wider < 1.65, "at 150 %% About is wider (%.2f times)" % wider)


if __name__ == "__main__":
    main(test)
