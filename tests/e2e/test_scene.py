"""The park as a player sees it under Wine: the painted sign through the binoculars, rain, the rainbow after
it, the ground whitening under snow, and the moon and stars at night."""

import math
import subprocess
import sys

import numpy as np

import winegame

# A second whose park puts the sign straight ahead of the start; if the park's
# making changes, world_info searches on from here for the next such second.
SIGN_CLOCK = 1796492847
ZOOM = 600 / 10.0  # binocular pixels per degree


def sign_view(args):
    out = subprocess.run([args.world_info, "--sign-view", str(SIGN_CLOCK), "40000"], check=True,
                         stdout=subprocess.PIPE, text=True).stdout.split()
    sign_view.found = [float(v) for v in out[1:4]]
    return int(out[0])


def count(view, box, test):
    """How many pixels of a box of the view pass a test of (red, green, blue)."""
    part = view[box[1]:box[3], box[0]:box[2]]
    return int(test(part[:, :, 0], part[:, :, 1], part[:, :, 2]).sum())


def densest(mask, side=40):
    """The most set pixels in any side x side square of the mask."""
    sums = np.pad(mask, ((1, 0), (1, 0))).cumsum(0).cumsum(1)
    return int((sums[side:, side:] - sums[:-side, side:] - sums[side:, :-side] + sums[:-side, :-side]).max())


lo = lambda r, g, b: np.minimum(np.minimum(r, g), b)
hi = lambda r, g, b: np.maximum(np.maximum(r, g), b)


def test(game, check):
    yaw, pitch, distance = sign_view.found
    check.expect(game.capture(), "a click captures the mouse")
    game.key("b")  # the sign stands straight ahead: the binoculars need no turn
    cx, cy = 400 + (yaw + 90.0) * ZOOM, 300 - pitch * ZOOM
    half_w, half_h = [math.degrees(math.atan2(s, distance)) * ZOOM for s in (0.7, 0.6)]
    upper, lower = [[int(v) for v in (cx - half_w, top, cx + half_w, top + half_h)] for top in (cy - half_h, cy)]
    wood = lambda r, g, b: (60 < r) & (r < 150) & (35 < g) & (g < 100) & (b < 60) & (r > g) & (g > b)
    letters = lambda r, g, b: (r > 170) & (g > 170) & (100 < b) & (b < 215) & (r - b > 25)
    sign = lambda v: count(v, upper, wood) + count(v, lower, wood) > 0.8 * half_w * half_h * 2 and min(
        count(v, upper, letters), count(v, lower, letters)) > 150
    check.expect(game.wait_for_view("sign-through-binoculars", sign)[1],
                 "the sign's brown board and both its names are seen through the binoculars")
    game.key("b")

    game.menu("w", "r")
    rain = lambda v: winegame.near(v[30, 400], winegame.RAIN_DAY, 25) and count(
        v, (0, 0, 800, 300), lambda *p: lo(*p) > 150) > 100
    check.expect(game.wait_for_view("rain", rain)[1], "the sky turns rain grey and rain falls in streaks")
    game.menu("w", "n")  # rain stopping by day leaves a rainbow where the player looks
    bow = lambda v: min(count(v, (0, 0, 800, 400), lambda r, g, b: (r > 180) & (g < 130) & (b < 150)),
                        count(v, (0, 0, 800, 400), lambda r, g, b: (g > 180) & (r < 120) & (b < 160))) > 300
    check.expect(game.wait_for_view("rainbow", bow)[1], "a rainbow stands where the rain stopped")

    # Snow settles in patches wherever the random draws put them: count every pale pixel of the ground in view.
    game.menu("w", "s")
    ground = (0, 300, 640, 575)
    pale = lambda *p: (lo(*p) > 150) & (hi(*p) - lo(*p) < 60)
    before = count(game.view(game.shot("snow-begins")), ground, pale)
    whiter = lambda v: count(v, ground, pale) > before + 5000
    check.expect(game.wait_for_view("snow-settled", whiter, 180)[1], "the ground whitens under snow")

    game.menu("w", "n")
    game.key("n")
    game.capture()  # the menus freed the mouse
    game.turn(30.0, 25.0)  # toward the moon, roughly: up and to the right
    sky = (0, 110, 640, 575)  # all of the view but the HUD's text and map
    # The moon's lit face, and stars: faint bluish-white points besides the moon and any cloud.
    moon = lambda v: densest(v[sky[1]:sky[3], sky[0]:sky[2]].min(axis=2) > 190) > 150
    stars = lambda v: count(v, sky, lambda r, g, b: (hi(r, g, b) > 40) & (b >= r - 30)) - count(
        v, sky, lambda *p: lo(*p) > 100) > 20
    check.expect(game.wait_for_view("night-moon", lambda v: moon(v) and stars(v))[1],
                 "the moon and stars shine in the night sky")


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "scene", choose_clock=sign_view))
