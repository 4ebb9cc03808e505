"""The park as a player sees it under Wine: the painted sign through the binoculars, rain, the
rainbow after it, the ground whitening under snow, and the moon and stars at night."""

import math
import subprocess

import numpy as np

from winegame import CLEAR_NIGHT, RAIN_DAY, Game, main, near

# A second whose park puts the sign straight ahead of the start; if the park's
# making changes, world_info searches on from here for the next such second.
SIGN_CLOCK = 1796492847
ZOOM = 600 / 10.0  # binocular pixels per degree
SKY, GROUND = (0, 110, 640, 575), (0, 300, 640, 575)  # clear of the HUD's text and map


def count(view, box, test):
    """How many pixels of a box of the view pass a test of (red, green, blue)."""
    return int(test(*view[box[1] : box[3], box[0] : box[2]].transpose(2, 0, 1)).sum())


def densest(mask, side=40):
    """The most set pixels in any side x side square of the mask."""
    sums = np.pad(mask, ((1, 0), (1, 0))).cumsum(0).cumsum(1)
    return (
        sums[side:, side:] - sums[:-side, side:] - sums[side:, :-side] + sums[:-side, :-side]
    ).max()


def lo(r, g, b):
    return np.minimum(np.minimum(r, g), b)


def hi(r, g, b):
    return np.maximum(np.maximum(r, g), b)


def wood(r, g, b):  # the sign's brown board
    return (60 < r) & (r < 150) & (35 < g) & (g < 100) & (b < 60) & (r > g) & (g > b)


def letters(r, g, b):  # the names painted on it
    return (r > 170) & (g > 170) & (100 < b) & (b < 215) & (r - b > 25)


def red(r, g, b):  # the rainbow's red band
    return (r > 180) & (g < 130) & (b < 150)


def green(r, g, b):  # and its green band
    return (g > 180) & (r < 120) & (b < 160)


def test(args, check):
    command = [args.world_info, "--sign-view", str(SIGN_CLOCK), "40000"]
    seconds, yaw, pitch, distance = map(float, subprocess.check_output(command).split())
    with Game(args, "scene", clock=int(seconds)) as game:
        check.expect(game.capture(), "a click captures the mouse")
        game.key("b")  # the sign stands straight ahead: the binoculars need no turn
        cx, cy = 400 + (yaw + 90.0) * ZOOM, 300 - pitch * ZOOM
        half_w, half_h = [math.degrees(math.atan2(s, distance)) * ZOOM for s in (0.7, 0.6)]
        halves = [(cx - half_w, top, cx + half_w, top + half_h) for top in (cy - half_h, cy)]
        halves = [[int(v) for v in half] for half in halves]
        boards = lambda v: sum(count(v, half, wood) for half in halves)
        names = lambda v: min(count(v, half, letters) for half in halves)
        sign = lambda v: boards(v) > 1.6 * half_w * half_h and names(v) > 150
        seen = game.wait_for_view("sign-through-binoculars", sign)
        check.expect(seen, "the sign's brown board and both its names show through the binoculars")
        game.key("b")

        game.menu("w", "r")
        streaks = lambda v: count(v, (0, 0, 800, 300), lambda *p: lo(*p) > 150) > 100
        rain = lambda v: near(v[30, 400], RAIN_DAY, 25) and streaks(v)
        check.expect(game.wait_for_view("rain", rain), "the sky turns rain grey, rain streaks fall")
        game.menu("w", "n")  # rain stopping by day leaves a rainbow where the player looks
        bow = lambda v: min(count(v, (0, 0, 800, 400), band) for band in (red, green)) > 300
        check.expect(game.wait_for_view("rainbow", bow), "a rainbow stands where the rain stopped")

        # Snow settles in patches where the random draws put them: count the ground's pale pixels.
        game.menu("w", "s")
        pale = lambda *p: (lo(*p) > 150) & (hi(*p) - lo(*p) < 60)
        before = count(game.view(game.shot("snow-begins")), GROUND, pale)
        whiter = lambda v: count(v, GROUND, pale) > before + 5000
        check.expect(game.wait_for_view("snow", whiter, 180), "the ground whitens under snow")

        game.menu("w", "n")
        game.key("n")
        game.capture()  # the menus freed the mouse
        game.turn(30.0, 25.0)  # toward the moon, roughly: up and to the right
        # The moon's lit face, and stars: faint bluish-white points besides the moon and any cloud.
        moon = lambda v: densest(v[SKY[1] : SKY[3], SKY[0] : SKY[2]].min(axis=2) > 190) > 150
        bluish = lambda v: count(v, SKY, lambda r, g, b: (hi(r, g, b) > 40) & (b >= r - 30))
        stars = lambda v: bluish(v) - count(v, SKY, lambda *p: lo(*p) > 100) > 20
        # Only once night has fallen: by day or dusk a white cloud and the blue sky pass for both.
        dark = lambda v: near(v[12, 400], CLEAR_NIGHT, 12)
        night = game.wait_for_view("night-moon", lambda v: dark(v) and moon(v) and stars(v))
        check.expect(night, "the moon and stars shine in the night sky")


if __name__ == "__main__":
    main(test)
