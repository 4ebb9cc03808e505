#!/usr/bin/env python3
"""The park as a player sees it under Wine: the HUD over a clear day, the
painted sign through the binoculars, rain, the rainbow after it, the ground
whitening under snow, stars and the moon at night, and rain clouds overhead.
Every screenshot is kept for a person to look at."""

import math
import subprocess
import sys
import time

import winegame

# A second whose park puts the sign straight ahead of the start; if the park's
# making changes, world_info searches on from here for the next such second.
SIGN_CLOCK = 1796492847
BINOCULAR_PIXELS_PER_DEGREE = 600 / 10.0


def sign_view(args):
    out = subprocess.run([args.world_info, "--sign-view", str(SIGN_CLOCK), "40000"], check=True,
                         stdout=subprocess.PIPE, text=True).stdout.split()
    sign_view.found = (int(out[0]), float(out[1]), float(out[2]), float(out[3]))
    return sign_view.found[0]


def count(game, shot, box, test):
    left, top = game.client[0], game.client[1]
    return shot.count((left + box[0], top + box[1], left + box[2], top + box[3]), test)


def largest_blob(game, shot, box, test):
    """Size of the largest 4-connected patch of pixels passing the test."""
    left, top = game.client[0] + box[0], game.client[1] + box[1]
    width, height = box[2] - box[0], box[3] - box[1]
    inside = [[test(shot.pixel(left + x, top + y)) for x in range(width)] for y in range(height)]
    best = 0
    for y0 in range(height):
        for x0 in range(width):
            if not inside[y0][x0]:
                continue
            inside[y0][x0] = False
            stack, size = [(x0, y0)], 0
            while stack:
                x, y = stack.pop()
                size += 1
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if 0 <= nx < width and 0 <= ny < height and inside[ny][nx]:
                        inside[ny][nx] = False
                        stack.append((nx, ny))
            best = max(best, size)
    return best


def test(game, check):
    _, sign_yaw, sign_pitch, sign_distance = sign_view.found

    day = game.shot("day")
    text = count(game, day, (8, 20, 420, 110), lambda p: min(p) > 200)
    check.expect(text > 150, "the score, enemy, animal and accuracy lines show at the top left (%d bright pixels)" % text)
    frame = count(game, day, (648, 448, 792, 452), lambda p: min(p) > 220)
    check.expect(frame > 100, "the park map's white frame sits at the bottom right")

    # The sign stands straight ahead: the binoculars need no turn.
    game.click(game.client[0] + 400, game.client[1] + 300)  # capture the mouse
    game.key("b", pause=1.0)
    sign = game.shot("sign-through-binoculars")
    cx = 400 + (sign_yaw + 90.0) * BINOCULAR_PIXELS_PER_DEGREE
    cy = 300 - sign_pitch * BINOCULAR_PIXELS_PER_DEGREE
    half_width = math.degrees(math.atan2(0.7, sign_distance)) * BINOCULAR_PIXELS_PER_DEGREE
    half_height = math.degrees(math.atan2(0.6, sign_distance)) * BINOCULAR_PIXELS_PER_DEGREE
    upper = tuple(int(v) for v in (cx - half_width, cy - half_height, cx + half_width, cy))
    lower = tuple(int(v) for v in (cx - half_width, cy, cx + half_width, cy + half_height))
    wood = lambda p: 60 < p[0] < 150 and 35 < p[1] < 100 and p[2] < 60 and p[0] > p[1] > p[2]
    letters = lambda p: p[0] > 170 and p[1] > 170 and 100 < p[2] < 215 and p[0] - p[2] > 25
    boards = count(game, sign, upper, wood) + count(game, sign, lower, wood)
    area = (upper[2] - upper[0]) * (lower[3] - upper[1])
    check.expect(boards > area * 0.4, "the sign's brown board is seen through the binoculars (%d of %d)" % (boards, area))
    chinese, latin = count(game, sign, upper, letters), count(game, sign, lower, letters)
    check.expect(chinese > 150 and latin > 150,
                 "both names are painted on the board (%d and %d letter pixels above and below)" % (chinese, latin))
    game.key("b")

    game.menu("w", "r")
    time.sleep(2.0)
    rain = game.shot("rain")
    sky = game.client_pixel(rain, 400, 30)
    check.expect(winegame.near(sky, winegame.RAIN_DAY, 25), "the sky turns rain grey %s" % (sky,))
    streaks = count(game, rain, (0, 0, 800, 300), lambda p: min(p) > 150)
    check.expect(streaks > 100, "rain falls in streaks (%d bright streak pixels)" % streaks)

    # Rain stopping by day leaves a rainbow where the player looks.
    game.menu("w", "n")
    time.sleep(6.0)
    rainbow = game.shot("rainbow")
    reds = count(game, rainbow, (0, 0, 800, 400), lambda p: p[0] > 180 and p[1] < 130 and p[2] < 150)
    greens = count(game, rainbow, (0, 0, 800, 400), lambda p: p[1] > 180 and p[0] < 120 and p[2] < 160)
    check.expect(reds > 300 and greens > 300, "a rainbow stands where the rain stopped (%d red, %d green)" % (reds, greens))

    # Still looking out over the park from the start: the lower view is ground.
    game.menu("w", "s")
    first = game.shot("snow-begins")
    # Snow settles in patches that lie wherever the run's random draws put
    # them, so count every pale pixel of the ground in view, near and far.
    ground = (0, 300, 640, 575)
    pale = lambda p: min(p) > 150 and max(p) - min(p) < 60
    before = count(game, first, ground, pale)
    time.sleep(36.0)
    later = game.shot("snow-after-half-a-minute")
    after = count(game, later, ground, pale)
    check.expect(after > before + 5000, "the ground whitens under half a minute of snow (%d -> %d pale pixels)"
                 % (before, after))

    # Toward the moon, roughly: up and to the right of the start's view.
    game.menu("w", "n")
    game.key("n")
    game.turn(30.0, 25.0)
    time.sleep(6.0)
    night = game.shot("night-moon")
    # Anywhere in the view but the HUD's text and map: the turn is only roughly known.
    sky = (0, 110, 640, 575)
    moon = largest_blob(game, night, sky, lambda p: min(p) > 100)
    check.expect(moon > 150, "the moon shines in the night sky (its lit part covers %d pixels)" % moon)
    stars = count(game, night, sky, lambda p: 40 < max(p) and p[2] >= p[0] - 30) - moon
    check.expect(stars > 20, "stars shine around it (%d star pixels)" % stars)

    # Still looking up: by day the rain's clouds hang grey and dark overhead.
    game.key("n")
    time.sleep(6.0)
    game.menu("w", "r")
    time.sleep(2.0)
    overhead = game.shot("rain-clouds-overhead")
    rain_sky = winegame.RAIN_DAY
    cloudy = count(game, overhead, sky, lambda p: max(p) < 200 and sum(p) < sum(rain_sky) - 12)
    check.expect(cloudy > 2000, "rain clouds darken the sky overhead (%d cloud pixels)" % cloudy)


if __name__ == "__main__":
    sys.exit(winegame.main_for(test, "scene", choose_clock=sign_view))
