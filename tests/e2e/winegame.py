"""Drives gladewarden.exe under Wine as a person would (xdotool keys, clicks, menus) and looks with screenshots,
each test on its own Xvfb display in its own copy of the prefix `winegame.py --prepare --exe EXE --work DIR`
makes once. Each step waits for what it should make visible, never for a fixed time."""

import argparse, ctypes, os, shutil, subprocess, sys, time  # noqa: E401

import numpy as np

# The game seeds its park from the clock: its process sees the wall clock
# stopped at a known second (its timers run on the monotonic clock), so every
# run builds the same park, and native tools can compute that park.
GAME_CLOCK_SECONDS = 1796482800  # 2026-12-05 15:00:00 UTC
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
CLEAR_DAY, CLEAR_NIGHT, RAIN_DAY = (135, 207, 235), (5, 5, 20), (89, 97, 107)  # the game's sky colours


def parse_args(argv=None):
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--work", "--world-info"):
        parser.add_argument(option)
    parser.add_argument("--prepare", action="store_true")
    return parser.parse_args(argv)


def wait_for(condition, timeout=60, pause=0.2):
    """condition()'s first true value, or its last value after timeout seconds."""
    deadline = time.time() + timeout
    while not (value := condition()) and time.time() < deadline:
        time.sleep(pause)
    return value


def near(colour, expected, tolerance=8):
    return bool(np.all(np.abs(np.asarray(colour) - expected) <= tolerance))


def start_display(screen=(1024, 768)):  # an Xvfb server on a display number it picks itself
    read_end, write_end = os.pipe()
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % screen,
                                "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        return process, ":" + pipe.readline().strip()


def environment(prefix, display, home):
    return dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=display,
                HOME=home, TZ="UTC")


def run(command, env, timeout=240):
    subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout)


def prepare_prefix(args):
    """A booted Wine with a virtual desktop (for Wine's own frames) and a free CJK font for SimHei."""
    template = os.path.join(args.work, "prefix-template")
    if not os.path.exists(os.path.join(template, "system.reg")):
        shutil.rmtree(template, ignore_errors=True)
        os.makedirs(args.work, exist_ok=True)
        display, name = start_display()
        env = environment(template, name, args.work)
        run(["wineboot", "-i"], env)
        for key, value, data in [(r"Explorer", "Desktop", "Default"), (r"Explorer\Desktops", "Default", "1024x768"),
                                 (r"Fonts\Replacements", "SimHei", "WenQuanYi Zen Hei")]:
            run(["wine", "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", value, "/d", data, "/f"], env)
        run(["wine", "cmd", "/c", "exit"], env)  # any first-run work happens here, not in every test
        run(["wineserver", "-w"], env)
        display.terminate()
    return 0 if os.path.exists(os.path.join(template, "system.reg")) else 1


class Game:
    """One run of the exe, on its own display and in its own prefix."""

    def __init__(self, args, name, sound=False, clock=GAME_CLOCK_SECONDS, screen=(1024, 768), dpi=96):
        self.args, self.shots, self.process, self.env, self.screen = args, 0, None, None, screen
        folders = [os.path.join(args.work, kind, name) for kind in ("screenshots", "homes", "prefixes")]
        self.out, self.home, self.prefix = folders
        for folder in (self.out, self.home, self.prefix):
            shutil.rmtree(folder, ignore_errors=True)
        [os.makedirs(folder, exist_ok=True) for folder in (self.out, self.home, os.path.dirname(self.prefix))]
        template = os.path.join(args.work, "prefix-template")
        # Hard links keep the copy quick; the registry files, which Wine rewrites, are copied.
        subprocess.run(["cp", "-al", template, self.prefix], check=True)
        for reg in ("system.reg", "user.reg", "userdef.reg"):
            os.unlink(os.path.join(self.prefix, reg))
            shutil.copy2(os.path.join(template, reg), self.prefix)
        if sound:  # this home's ALSA writes each stream to a file named by its sample rate
            with open(os.path.join(self.home, ".asoundrc"), "w") as config:
                config.write('pcm.!default { type file; slave.pcm "null"; file "%s/sound-%%r.raw"; format "raw" }\n'
                             % self.out)
        self.clock = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(clock))
        if (screen, dpi) != ((1024, 768), 96):
            set_screen(self.prefix, screen, dpi)

    def __enter__(self):
        try:
            self.display, name = start_display(self.screen)
            self.env = environment(self.prefix, name, self.home)
            subprocess.run(["wineserver", "-p"], env=self.env, check=True)
            # Only the game's process sees the stopped clock; Wine's server keeps the real one.
            stopped = dict(self.env, LD_PRELOAD=FAKETIME, FAKETIME=self.clock, FAKETIME_DONT_FAKE_MONOTONIC="1")
            self.process = subprocess.Popen(["wine", self.args.exe], env=stopped, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            self.window = self.wait_for_window("Gladewarden", 180)
            self.client = wait_for(self.gl_surface, 60) if self.window else None  # Wine's GL child window
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
        return self.process.returncode if wait_for(lambda: self.process.poll() is not None, timeout) else None

    def output(self, *command):
        return subprocess.run([str(w) for w in command], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True).stdout.strip()

    def xdotool(self, *words):
        return self.output("xdotool", *words)

    def find_window(self, title):
        return (self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title).split() or [None])[0]

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

    def gl_surface(self):
        children = [line.split()[0] for line in self.output("xwininfo", "-children", "-id", self.window).splitlines()
                    if line.strip().startswith("0x")]
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
        found = dict(line.split("=") for line in self.xdotool("getmouselocation", "--shell").splitlines())
        return int(found["X"]), int(found["Y"])

    def cursor_visible(self):
        """Whether the X server's cursor image has an opaque pixel."""
        x11, fixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
        x11.XOpenDisplay.restype = fixes.XFixesGetCursorImage.restype = ctypes.c_void_p
        display = ctypes.c_void_p(x11.XOpenDisplay(self.env["DISPLAY"].encode()))
        image = fixes.XFixesGetCursorImage(display)  # x, y, width, height, hot spot, serial, then the pixels
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

    def capture(self):
        """Clicks into the view, again only if the game has not hidden the cursor."""
        return any(self.click() or wait_for(lambda: not self.cursor_visible(), 20) for _ in range(3))

    def menu(self, letter, item):
        """Opens a menu with Alt+letter and, once it shows, picks an item by its letter."""
        for _ in range(5):
            self.key("alt+" + letter)
            if wait_for(self.popup, 20):
                self.key(item)
                return bool(wait_for(lambda: not self.popup(), 20))
            self.key("Escape", "Escape")
        return False

    def turn(self, yaw_degrees, pitch_degrees):
        """Mouse look at 0.15 degrees a pixel, in steps that stay in the view, each once the game has
        put the pointer back in the middle: a step made before would be undone by that recentring."""
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
        raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
        return np.frombuffer(raw, np.uint8).reshape(self.screen[1], self.screen[0], 3).astype(int)

    def whole(self, shot):
        """Wine's blue caption with the title in dark letters, a light menu bar with Game, Weather and Help dark:
        the game's frame painted and in front."""
        left, right, top = self.frame[0] + 4, self.frame[2] - 4, self.client[1]
        caption, menu = shot[top - 37:top - 21, left:right], shot[top - 19:top, left:right]
        return ((caption[:, :, 2] - caption[:, :, 0] > 150).mean() > 0.8 and (caption[:, 20:110].max(2) < 60).sum() > 60
                and (menu.min(axis=2) > 200).mean() > 0.8 and (menu[:, :140].max(axis=2) < 100).sum() > 100)

    def view(self, shot):
        """The drawing surface's part of a screenshot, (0, 0) at its top left."""
        return shot[self.client[1]:self.client[3], self.client[0]:self.client[2]]

    def wait_for_view(self, label, condition, timeout=60):
        """The first view that meets the condition, or the last one seen; and whether it did."""
        seen = []
        met = wait_for(lambda: seen.append(self.view(self.shot(label))) or condition(seen[-1]), timeout, 0.5)
        return seen[-1], bool(met)


class Check:  # collects failed expectations, so one run reports everything it saw

    def __init__(self, name):
        self.name, self.failures = name, []

    def expect(self, condition, what):
        print("%s %s" % ("ok  " if condition else "FAIL", what), flush=True)
        self.failures += [] if condition else [what]
        return condition

    def finish(self):
        print("%s: %s" % (self.name, "%d failed" % len(self.failures) if self.failures else "all met"))
        return 1 if self.failures else 0


def main_for(test, name, sound=False, choose_clock=None, before=None):
    """Runs before(args, check), then test(game, check) on a game whose clock choose_clock(args) may pick."""
    args, check = parse_args(), Check(name)
    try:
        if before:
            before(args, check)
        with Game(args, name, sound, choose_clock(args) if choose_clock else GAME_CLOCK_SECONDS) as game:
            test(game, check)
    except Exception as error:  # a crashed driver is a failed test, with its reason
        check.expect(False, "the run completed (%s: %s)" % (type(error).__name__, error))
    return check.finish()


def set_screen(prefix, screen, dpi):
    """A prefix's virtual desktop of that size, on a display Wine takes to have dpi dots per inch."""
    with open(os.path.join(prefix, "user.reg")) as registry:
        text = registry.read().replace('"Default"="1024x768"', '"Default"="%dx%d"' % screen)
    header = text.index("[Control Panel\\\\Desktop]")
    at = text.index("\n", text.index("#time=", header)) + 1  # the key's values follow its time
    with open(os.path.join(prefix, "user.reg"), "w") as registry:
        registry.write(text[:at] + '"LogPixels"=dword:%08x\n' % dpi + text[at:])


if __name__ == "__main__":
    arguments = parse_args()
    sys.exit(prepare_prefix(arguments) if arguments.prepare else 0)
