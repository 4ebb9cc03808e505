"""Drives gladewarden.exe under Wine as a person would (xdotool keys, clicks, menus) and looks with
screenshots, each test on its own Xvfb display in its own copy of the prefix `--prepare` makes once.
Each step waits for what it should make visible, never for a fixed time."""

import argparse, ctypes, os, shutil, subprocess, sys, time  # noqa: E401
from pathlib import Path

import numpy as np

# The game seeds its park from the clock: its process sees the wall clock
# stopped at a known second (its timers run on the monotonic clock), so every
# run builds the same park, and native tools can compute that park.
CLOCK = 1796482800  # 2026-12-05 15:00:00 UTC
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
# The game's sky colours.
CLEAR_DAY, CLEAR_NIGHT, RAIN_DAY = (135, 207, 235), (5, 5, 20), (89, 97, 107)
QUIET = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
WINE = dict(WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", TZ="UTC")
# This home's ALSA writes each stream to a file named by its sample rate.
ASOUNDRC = 'pcm.!default { type file; slave.pcm "null"; file "%s/sound-%%r.raw"; format "raw" }\n'


def parse_args():
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--work", "--world-info"):
        parser.add_argument(option)
    parser.add_argument("--prepare", action="store_true")
    return parser.parse_args()


def wait_for(condition, timeout=60, pause=0.2):
    """condition()'s first true value, or its last value after timeout seconds."""
    deadline = time.time() + timeout
    while not (value := condition()) and time.time() < deadline:
        time.sleep(pause)
    return value


def near(colour, expected, tolerance=8):
    return bool(np.all(np.abs(np.asarray(colour) - expected) <= tolerance))


def start_display(screen):  # an Xvfb server on a display number it picks itself
    read_end, write_end = os.pipe()
    command = "Xvfb -displayfd %d -screen 0 %dx%dx24 -nolisten tcp" % (write_end, *screen)
    process = subprocess.Popen(command.split(), pass_fds=(write_end,), **QUIET)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        return process, ":" + pipe.readline().strip()


def run(command, env, timeout=240):
    subprocess.run(command, env=env, timeout=timeout, **QUIET)


def prepare_prefix(args):
    """A booted Wine with a virtual desktop (for Wine's frames) and a free CJK font for SimHei."""
    template = os.path.join(args.work, "prefix-template")
    if not os.path.exists(os.path.join(template, "system.reg")):
        shutil.rmtree(template, ignore_errors=True)
        os.makedirs(args.work, exist_ok=True)
        display, name = start_display((1024, 768))
        env = dict(os.environ, **WINE, WINEPREFIX=template, DISPLAY=name, HOME=args.work)
        run(["wineboot", "-i"], env)
        for key, value, data in [
            ("Explorer", "Desktop", "Default"),
            ("Explorer\\Desktops", "Default", "1024x768"),
            ("Fonts\\Replacements", "SimHei", "WenQuanYi Zen Hei"),
        ]:
            key = "HKCU\\Software\\Wine\\" + key
            run(["wine", "reg", "add", key, "/v", value, "/d", data, "/f"], env)
        # Any first-run work happens here, not in every test.
        run(["wine", "cmd", "/c", "exit"], env)
        run(["wineserver", "-w"], env)
        display.terminate()
    return 0 if os.path.exists(os.path.join(template, "system.reg")) else 1


class Game:
    """One run of the exe, on its own display and in its own prefix."""

    def __init__(self, args, name, sound=False, clock=CLOCK, screen=(1024, 768), dpi=96):
        self.args, self.shots, self.process, self.env, self.screen = args, 0, None, None, screen
        self.out, self.home, self.prefix = [
            os.path.join(args.work, kind, name) for kind in ("screenshots", "homes", "prefixes")
        ]
        for folder in (self.out, self.home, self.prefix):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        template = os.path.join(args.work, "prefix-template")
        # Hard links keep the copy quick; the registry files, which Wine rewrites, are copied.
        subprocess.run(["cp", "-al", template + "/.", self.prefix], check=True)
        for reg in ("system.reg", "user.reg", "userdef.reg"):
            os.unlink(os.path.join(self.prefix, reg))
            shutil.copy2(os.path.join(template, reg), self.prefix)
        if sound:
            Path(self.home, ".asoundrc").write_text(ASOUNDRC % self.out)
        self.wine = dict(os.environ, **WINE, WINEPREFIX=self.prefix, HOME=self.home)
        self.clock = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(clock))
        # A virtual desktop of that size, on a display Wine takes to have dpi dots per inch.
        registry = Path(self.prefix, "user.reg")
        text = registry.read_text().replace("1024x768", "%dx%d" % screen)
        at = text.index("\n", text.index("#time=", text.index("[Control Panel\\\\Desktop]"))) + 1
        registry.write_text(text[:at] + '"LogPixels"=dword:%08x\n' % dpi + text[at:])

    def __enter__(self):
        try:
            self.display, name = start_display(self.screen)
            self.env = dict(self.wine, DISPLAY=name)
            subprocess.run(["wineserver", "-p"], env=self.env, check=True)
            # Only the game's process sees the stopped clock; Wine's server keeps the real one.
            stopped = dict(self.env, LD_PRELOAD=FAKETIME, FAKETIME=self.clock)
            stopped.update(FAKETIME_DONT_FAKE_MONOTONIC="1")
            self.process = subprocess.Popen(["wine", self.args.exe], env=stopped, **QUIET)
            self.window = self.wait_for_window("Gladewarden", 180)
            self.client = self.window and wait_for(self.gl_surface, 60)
            if not self.client:
                raise RuntimeError("the game window did not come up")
            self.frame = self.box(self.window)
            self.move_to(400, 300)  # keyboard input goes where the pointer is
            wait_for(lambda: near(self.view(self.shot("start"))[12, 400], CLEAR_DAY, 30))
            return self
        except BaseException:
            self.__exit__()
            raise

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.kill()
        if self.env:
            run(["wineserver", "-k"], self.env, 60)
            self.display.terminate()
        shutil.rmtree(self.prefix, ignore_errors=True)

    def exit_code(self, timeout=60):
        wait_for(lambda: self.process.poll() is not None, timeout)
        return self.process.poll()

    def output(self, *command):
        done = subprocess.run(list(map(str, command)), env=self.env, capture_output=True, text=True)
        return done.stdout.strip()

    def xdotool(self, *words):
        return self.output("xdotool", *words)

    def find_window(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title).split()
        return found[0] if found else None

    def wait_for_window(self, title, timeout=60):
        return wait_for(lambda: self.find_window(title), timeout)

    def wait_for_no_window(self, title, timeout=60):
        return wait_for(lambda: not self.find_window(title), timeout)

    def box(self, window):
        """(left, top, right, bottom) of a window on the screen; None for a window gone."""
        info = (line.partition(":") for line in self.output("xwininfo", "-id", window).splitlines())
        if "Width" not in (v := {k.strip(): v for k, _, v in info}):
            return None
        left, top = int(v["Absolute upper-left X"]), int(v["Absolute upper-left Y"])
        return left, top, left + int(v["Width"]), top + int(v["Height"])

    def gl_surface(self):  # Wine's GL child window
        lines = self.output("xwininfo", "-children", "-id", self.window).splitlines()
        children = [line.split()[0] for line in lines if line.strip().startswith("0x")]
        return self.box(children[0]) if children else None

    def popup(self):
        """The box of the open pop-up menu: an unnamed window of the game's own."""
        for line in self.output("xwininfo", "-root", "-tree").splitlines():
            if "(has no name)" in line and '"gladewarden.exe"' in line:
                box = self.box(line.split()[0])
                if box and box[2] - box[0] > 10 and box[3] - box[1] > 10:
                    return box

    def move_to(self, x, y):  # a point of the drawing surface
        self.xdotool("mousemove", self.client[0] + x, self.client[1] + y)

    def pointer(self):
        shell = self.xdotool("getmouselocation", "--shell")
        found = dict(line.split("=") for line in shell.splitlines())
        return int(found["X"]), int(found["Y"])

    def cursor_visible(self):
        """Whether the X server's cursor image has an opaque pixel."""
        x11, fixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
        x11.XOpenDisplay.restype = fixes.XFixesGetCursorImage.restype = ctypes.c_void_p
        display = ctypes.c_void_p(x11.XOpenDisplay(self.env["DISPLAY"].encode()))
        # x, y, width, height, hot spot, serial, then the pixels
        image = fixes.XFixesGetCursorImage(display)
        width, height = ctypes.cast(image + 4, ctypes.POINTER(ctypes.c_ushort))[0:2]
        pixels = ctypes.cast(image + 24, ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)))[0]
        visible = any(pixels[i] >> 24 for i in range(width * height))
        x11.XFree(ctypes.c_void_p(image))
        x11.XCloseDisplay(display)
        return visible

    def key(self, *keys):
        self.xdotool("key", *keys)

    def click(self):
        self.xdotool("click", 1)

    def capture(self):  # clicks into the view, again if the game has not hidden the cursor
        hidden = lambda: not self.cursor_visible()
        return any(self.click() or wait_for(hidden, 20) for _ in range(3))

    def menu(self, letter, item):
        """Opens a menu with Alt+letter ("space": the window's menu) and, once it shows, picks an
        item by its letter."""
        for _ in range(5):
            self.key("alt+" + letter)
            if wait_for(self.popup, 20):
                self.key(item)
                return bool(wait_for(lambda: not self.popup(), 20))
            self.key("Escape", "Escape")
        return False

    def opens(self, title, *keys):
        """The screen box of what a menu item ("h", "a") or keys open, once it stands where a box
        should: centred over the game window, moved just inside the screen where it would not fit.
        """
        if len(keys) == 2:
            self.menu(*keys)
        else:
            self.key(*keys)

        def placed():
            box = (window := self.find_window(title)) and self.box(window)
            owner = self.box(self.window)
            for i in (0, 1):
                size = box[i + 2] - box[i] if box else 0
                want = min(max((owner[i] + owner[i + 2] - size) // 2, 0), self.screen[i] - size)
                if (
                    not box
                    or abs(box[i] - want) > 3
                    or not 0 <= box[i] < box[i + 2] <= self.screen[i]
                ):
                    return None
            return box

        return wait_for(placed, 30)

    def turn(self, yaw_degrees, pitch_degrees):
        """Mouse look at 0.15 degrees a pixel, in steps that stay in the view, each once the game
        has put the pointer back in the middle: a step made before would be undone by recentring."""
        centre = (self.client[0] + 400, self.client[1] + 300)
        dx, dy = round(yaw_degrees / 0.15), round(-pitch_degrees / 0.15)
        while dx or dy:
            step_x, step_y = max(-150, min(150, dx)), max(-150, min(150, dy))
            wait_for(lambda: self.pointer() == centre, 30, 0.05)
            self.xdotool("mousemove_relative", "--", step_x, step_y)
            dx, dy = dx - step_x, dy - step_y
        wait_for(lambda: self.pointer() == centre, 30, 0.05)

    def shot(self, label):
        """The whole screen as rows of RGB, kept as a PNG for people."""
        self.shots += 1
        path = self.last_shot = os.path.join(self.out, "%02d-%s.png" % (self.shots, label))
        self.output("import", "-window", "root", path)
        raw = subprocess.check_output(["convert", path, "-depth", "8", "rgb:-"])
        return np.frombuffer(raw, np.uint8).reshape(self.screen[1], self.screen[0], 3).astype(int)

    def whole(self, shot):
        """Wine's blue caption with the title in dark letters, a light menu bar with Game, Weather
        and Help dark: the game's frame painted and in front."""
        left, right, top = self.frame[0] + 4, self.frame[2] - 4, self.client[1]
        caption, menu = shot[top - 37 : top - 21, left:right], shot[top - 19 : top, left:right]
        return (
            (caption[:, :, 2] - caption[:, :, 0] > 150).mean() > 0.8
            and (caption[:, 20:110].max(2) < 60).sum() > 60
            and (menu.min(axis=2) > 200).mean() > 0.8
            and (menu[:, :140].max(axis=2) < 100).sum() > 100
        )

    def view(self, shot):
        """The drawing surface's part of a screenshot, (0, 0) at its top left."""
        return shot[self.client[1] : self.client[3], self.client[0] : self.client[2]]

    def wait_for_view(self, label, condition, timeout=60):
        """Whether a view met the condition within timeout seconds."""
        return bool(wait_for(lambda: condition(self.view(self.shot(label))), timeout, 0.5))


class Check:  # collects failed expectations, so one run reports everything it saw
    failures = 0

    def expect(self, condition, what):
        print("%s %s" % ("ok  " if condition else "FAIL", what), flush=True)
        self.failures += not condition
        return condition


def main(test):
    """Runs test(args, check) and exits 1 if an expectation failed or the run crashed."""
    args, check = parse_args(), Check()
    try:
        test(args, check)
    except Exception as error:  # a crashed driver is a failed test, with its reason
        check.expect(False, "the run completed (%s: %s)" % (type(error).__name__, error))
    print("%d failed" % check.failures)
    sys.exit(1 if check.failures else 0)


if __name__ == "__main__":
    sys.exit(prepare_prefix(parse_args()))
