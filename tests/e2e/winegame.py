#!/usr/bin/env python3
"""Drives gladewarden.exe under Wine on a private virtual display, the way a
person would: keys, clicks and menus through xdotool, eyes through screenshots.

Every test gets its own Xvfb display and its own Wine prefix (a copy of one
prepared prefix), so tests can run side by side.

  winegame.py --prepare --exe EXE --work DIR --cursor-probe PROBE
      prepares the shared prefix once (run by ctest as a fixture)
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import time

SCREEN_WIDTH = 1024
SCREEN_HEIGHT = 768
GAME_TITLE = "Gladewarden"

# The game seeds its park from the clock. Tests stop the wall clock at a known
# second (the game's timers run on the monotonic clock and are untouched), so
# every run builds the same park and sees the same moon, and native tools can
# compute that park from the same second.
GAME_CLOCK_SECONDS = 1796482800  # 2026-12-05 15:00:00 UTC


def clock_text(seconds):
    return time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(seconds))


GAME_CLOCK = clock_text(GAME_CLOCK_SECONDS)
FAKETIME_LIBRARY = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
# Windows has SimHei for the sign's Chinese name; Wine gets a free CJK font in its place.
CJK_FONT = "WenQuanYi Zen Hei"


def parse_args(argv=None):
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--cursor-probe", required=True)
    parser.add_argument("--world-info")
    parser.add_argument("--prepare", action="store_true")
    return parser.parse_args(argv)


def wine_environment(prefix, display, home):
    env = dict(os.environ)
    env.update({
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        "DISPLAY": display,
        "HOME": home,
    })
    return env


class VirtualDisplay:
    """An Xvfb server on a display number it picks itself."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT), "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def prepare_prefix(args):
    """Builds the prefix every test copies: a booted Wine with a virtual
    desktop, so windows get Wine's own captions, frames and close buttons."""
    template = os.path.join(args.work, "prefix-template")
    if os.path.exists(os.path.join(template, "system.reg")):
        return 0
    shutil.rmtree(template, ignore_errors=True)
    os.makedirs(args.work, exist_ok=True)
    display = VirtualDisplay()
    try:
        env = wine_environment(template, display.name, args.work)
        subprocess.run(["wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=240)
        for key, name, value in [
                (r"HKCU\Software\Wine\Explorer", "Desktop", "Default"),
                (r"HKCU\Software\Wine\Explorer\Desktops", "Default",
                 "%dx%d" % (SCREEN_WIDTH, SCREEN_HEIGHT)),
                (r"HKCU\Software\Wine\Fonts\Replacements", "SimHei", CJK_FONT)]:
            subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], env=env,
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        # One throwaway program, so that any first-run work happens here and
        # not in every test's copy.
        subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)
        subprocess.run(["wineserver", "-w"], env=env, timeout=120)
    finally:
        display.close()
    return 0


class Screenshot:
    """A screenshot of the whole virtual screen, kept as a PNG for people and
    as raw RGB for the test."""

    def __init__(self, path):
        self.path = path
        raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"],
                             check=True, stdout=subprocess.PIPE).stdout
        self.width = SCREEN_WIDTH
        self.height = len(raw) // (3 * self.width)
        self.raw = raw

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])

    def count(self, box, predicate):
        left, top, right, bottom = box
        n = 0
        for y in range(top, bottom):
            for x in range(left, right):
                if predicate(self.pixel(x, y)):
                    n += 1
        return n

    def differs(self, other, box, tolerance=24):
        """How many pixels in the box differ from the other shot."""
        left, top, right, bottom = box
        n = 0
        for y in range(top, bottom):
            for x in range(left, right):
                a, b = self.pixel(x, y), other.pixel(x, y)
                if max(abs(a[k] - b[k]) for k in range(3)) > tolerance:
                    n += 1
        return n


def near(colour, expected, tolerance=8):
    return all(abs(colour[k] - expected[k]) <= tolerance for k in range(3))


def sky_bytes(rgb):
    return tuple(int(c * 255 + 0.5) for c in rgb)


# The sky colours the game clears to, by day and by night.
CLEAR_DAY = sky_bytes((0.53, 0.81, 0.92))
CLEAR_NIGHT = sky_bytes((0.02, 0.02, 0.08))
RAIN_DAY = sky_bytes((0.35, 0.38, 0.42))


class Game:
    """One run of the exe, on its own display and in its own prefix."""

    def __init__(self, args, name, capture_sound=False, clock=GAME_CLOCK):
        self.args = args
        self.name = name
        self.capture_sound = capture_sound
        self.clock = clock
        self.out = os.path.join(args.work, "screenshots", name)
        shutil.rmtree(self.out, ignore_errors=True)
        os.makedirs(self.out)
        self.prefix = os.path.join(args.work, "prefixes", name)
        self.home = os.path.join(args.work, "homes", name)
        self.shots = 0
        self.process = None
        self.display = None

    # -- life cycle -------------------------------------------------------

    def __enter__(self):
        self._copy_prefix()
        shutil.rmtree(self.home, ignore_errors=True)
        os.makedirs(self.home)
        if self.capture_sound:
            self._route_sound_to_file()
        self.display = VirtualDisplay()
        self.env = wine_environment(self.prefix, self.display.name, self.home)
        self.env["TZ"] = "UTC"
        # Wine's own server keeps the real clock; only the game's process sees the stopped one.
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)
        game_env = dict(self.env)
        if self.clock:
            game_env.update({"LD_PRELOAD": FAKETIME_LIBRARY, "FAKETIME": self.clock,
                             "FAKETIME_DONT_FAKE_MONOTONIC": "1", "NO_FAKE_STAT": "1"})
        self.process = subprocess.Popen(["wine", self.args.exe], env=game_env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = self.wait_for_window(GAME_TITLE, timeout=90)
        self.client = self.client_area()
        # Keyboard input goes where the pointer is.
        self.move_to(self.client[0] + 400, self.client[1] + 300)
        time.sleep(1.0)
        return self

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.kill()
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if self.display:
            self.display.close()
        shutil.rmtree(self.prefix, ignore_errors=True)
        return False

    def _copy_prefix(self):
        template = os.path.join(self.args.work, "prefix-template")
        shutil.rmtree(self.prefix, ignore_errors=True)
        os.makedirs(os.path.dirname(self.prefix), exist_ok=True)
        # Hard links keep the copy quick; the registry files, which Wine
        # rewrites, get copies of their own.
        subprocess.run(["cp", "-al", template, self.prefix], check=True)
        for reg in ("system.reg", "user.reg", "userdef.reg"):
            path = os.path.join(self.prefix, reg)
            if os.path.exists(path):
                os.unlink(path)
                shutil.copy2(os.path.join(template, reg), path)

    def _route_sound_to_file(self):
        """Wine plays through ALSA; this home's ALSA writes each stream to a
        file named by its sample rate, so sounds of different rates never
        share a file (every wave-out device is a stream of its own)."""
        self.sound_pattern = os.path.join(self.out, "sound-%r.raw")
        with open(os.path.join(self.home, ".asoundrc"), "w") as config:
            config.write('pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "raw"\n}\n'
                         % self.sound_pattern)

    def sound_file(self, rate):
        return self.sound_pattern.replace("%r", str(rate))

    def sound_position(self, rate):
        """How far the captured stream of one sample rate has got, in bytes."""
        path = self.sound_file(rate)
        return os.path.getsize(path) if os.path.exists(path) else 0

    def sound_since(self, rate, position):
        """The 16-bit samples of one rate's stream captured since a position."""
        path = self.sound_file(rate)
        if not os.path.exists(path):
            return []
        with open(path, "rb") as stream:
            stream.seek(position)
            data = stream.read()
        data = data[:len(data) // 2 * 2]
        return list(struct.unpack("<%dh" % (len(data) // 2), data))

    def exit_code(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def running(self):
        return self.process.poll() is None

    # -- windows ------------------------------------------------------------

    def xdotool(self, *words, check=True):
        result = subprocess.run(["xdotool"] + [str(w) for w in words], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s failed" % " ".join(str(w) for w in words))
        return result.stdout.strip()

    def find_window(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title, check=False).split()
        return found[0] if found else None

    def wait_for_window(self, title, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            window = self.find_window(title)
            if window:
                return window
            if self.process and self.process.poll() is not None:
                raise RuntimeError("the game exited with %s" % self.process.returncode)
            time.sleep(0.2)
        raise RuntimeError("no window titled %r" % title)

    def wait_for_no_window(self, title, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if not self.find_window(title):
                return True
            time.sleep(0.2)
        return False

    def window_box(self, window):
        """(left, top, right, bottom) of a window on the screen."""
        info = subprocess.run(["xwininfo", "-id", window], env=self.env, check=True,
                              stdout=subprocess.PIPE, text=True).stdout
        values = {}
        for line in info.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        left, top = values["Absolute upper-left X"], values["Absolute upper-left Y"]
        return (left, top, left + values["Width"], top + values["Height"])

    def client_area(self, timeout=30):
        """The game's drawing surface: Wine's GL child window of the main
        window, which appears once the rendering context exists."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            tree = subprocess.run(["xwininfo", "-tree", "-id", self.window], env=self.env, check=True,
                                  stdout=subprocess.PIPE, text=True).stdout
            for line in tree.splitlines():
                words = line.split()
                if words and words[0].startswith("0x") and "child" not in line:
                    return self.window_box(words[0])
            time.sleep(0.2)
        raise RuntimeError("the game window has no drawing surface")

    def popup_box(self, timeout=5):
        """The open pop-up menu: an unnamed window of the game's own."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, check=True,
                                  stdout=subprocess.PIPE, text=True).stdout
            for line in tree.splitlines():
                if "(has no name)" in line and '"gladewarden.exe"' in line:
                    box = self.window_box(line.split()[0])
                    if box[2] - box[0] > 10 and box[3] - box[1] > 10:
                        return box
            time.sleep(0.2)
        return None

    def frame_box(self):
        """The whole game window, caption and frame included."""
        return self.window_box(self.window)

    # -- input ----------------------------------------------------------------

    def key(self, *keys, pause=0.4):
        for k in keys:
            self.xdotool("key", k)
            time.sleep(pause)

    def key_down(self, k):
        self.xdotool("keydown", k)

    def key_up(self, k):
        self.xdotool("keyup", k)

    def move_to(self, x, y):
        self.xdotool("mousemove", x, y)

    def move_by(self, dx, dy):
        self.xdotool("mousemove_relative", "--", dx, dy)

    def click(self, x=None, y=None, button=1, pause=0.5):
        if x is not None:
            self.move_to(x, y)
        self.xdotool("click", button)
        time.sleep(pause)

    def turn(self, yaw_degrees, pitch_degrees):
        """Mouse look with the mouse captured: the game turns 0.15 degrees per
        pixel and puts the cursor back in the middle after every move, so the
        move goes in pieces small enough to stay on the screen."""
        dx, dy = round(yaw_degrees / 0.15), round(-pitch_degrees / 0.15)
        while dx or dy:
            step_x, step_y = max(-150, min(150, dx)), max(-150, min(150, dy))
            self.move_by(step_x, step_y)
            dx, dy = dx - step_x, dy - step_y
            time.sleep(0.15)
        time.sleep(0.3)

    def menu(self, letter, item, pause=0.8):
        """Opens a menu with Alt+letter and picks an item by its letter."""
        self.key("alt+" + letter)
        self.key(item, pause=pause)

    def cursor_visible(self):
        result = subprocess.run([self.args.cursor_probe], env=self.env, check=True,
                                stdout=subprocess.PIPE, text=True)
        return result.stdout.strip() == "visible"

    # -- eyes -------------------------------------------------------------------

    def shot(self, label):
        self.shots += 1
        path = os.path.join(self.out, "%02d-%s.png" % (self.shots, label))
        subprocess.run(["import", "-display", self.display.name, "-window", "root", path],
                       env=self.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return Screenshot(path)

    def client_pixel(self, shot, x, y):
        """A pixel of the drawing surface, (0, 0) at its top left."""
        return shot.pixel(self.client[0] + x, self.client[1] + y)

    def wait_for_pixel(self, x, y, expected, label, timeout=15, tolerance=8):
        deadline = time.time() + timeout
        while True:
            shot = self.shot(label)
            if near(self.client_pixel(shot, x, y), expected, tolerance):
                return shot
            if time.time() > deadline:
                return shot
            time.sleep(0.5)


class Check:
    """Collects failed expectations so one run reports everything it saw."""

    def __init__(self, name):
        self.name = name
        self.failures = []

    def expect(self, condition, what):
        status = "ok  " if condition else "FAIL"
        print("%s %s" % (status, what), flush=True)
        if not condition:
            self.failures.append(what)
        return condition

    def finish(self):
        if self.failures:
            print("%s: %d expectation(s) failed" % (self.name, len(self.failures)))
            return 1
        print("%s: all expectations met" % self.name)
        return 0


def main_for(test, name, capture_sound=False, choose_clock=None):
    """Runs test(game, check) with a fresh game; returns the exit status.
    choose_clock(args) may pick the second the game's clock stands at."""
    args = parse_args()
    check = Check(name)
    try:
        clock = clock_text(choose_clock(args)) if choose_clock else GAME_CLOCK
        with Game(args, name, capture_sound, clock) as game:
            test(game, check)
    except Exception as error:  # a crashed driver is a failed test, with its reason
        check.expect(False, "the run completed (%s: %s)" % (type(error).__name__, error))
    return check.finish()


if __name__ == "__main__":
    arguments = parse_args()
    if arguments.prepare:
        sys.exit(prepare_prefix(arguments))
    sys.exit(0)
