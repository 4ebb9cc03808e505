#!/usr/bin/env python3
"""Measures how fast gladewarden.exe draws under Wine on a virtual display
(Xvfb, Mesa's software OpenGL), scene by scene.

  scripts/bench-wine.py EXE [EXE ...] [--seconds 8] [--rounds 1]
                        [--scenes day,night,rain,snow,binoculars] [--work DIR]
                        [--screen 1920x1080] [--maximised]

For every scene it starts the program on a display of its own, sets the
scene up with keys and menus as a player would, lets it settle and then, for
the given seconds, counts the buffer swaps (Mesa's HUD, hidden, writes the
frame rate to a file every second) and reads the CPU time of the program's
main thread and of the rasteriser threads from /proc. It prints frames per
second, and milliseconds of main-thread and rasteriser CPU per frame. With
several programs (say an old and a new build) it runs them by turns, scene by
scene, so a machine that gets busier or quieter treats them alike; --rounds
repeats the whole set.

The game plays as designed only when every frame fits in the 16 ms tick: 62.5
frames a second. The clock is stopped at a known second (faketime) so every
run plays in the same park. The snow scene waits until the snow covers the
ground fully, about 35 seconds.

--screen sets the size of the virtual screen (and of Wine's desktop on it);
--maximised maximises the game's window from its system menu (Alt+Space, X)
before the scene is set up, so the game draws at the size of the whole
desktop less its frame.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

TITLE = "Gladewarden"
CLOCK = "2026-12-05 15:00:00"
FAKETIME_LIBRARY = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
SCENES = ["day", "night", "rain", "snow", "binoculars"]
TICKS = os.sysconf("SC_CLK_TCK")


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("exes", nargs="+", metavar="EXE")
    parser.add_argument("--seconds", type=float, default=8.0)
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--scenes", default=",".join(SCENES))
    parser.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "gladewarden-bench-wine"))
    parser.add_argument("--screen", default="1024x768", help="virtual screen size, WIDTHxHEIGHT")
    parser.add_argument("--maximised", action="store_true")
    args = parser.parse_args()
    try:
        args.screen_size = tuple(int(n) for n in args.screen.split("x"))
    except ValueError:
        parser.error("--screen takes WIDTHxHEIGHT, for example 1920x1080")
    args.scenes = args.scenes.split(",")
    for scene in args.scenes:
        if scene not in SCENES:
            parser.error("unknown scene %r (scenes: %s)" % (scene, ", ".join(SCENES)))
    return args


class Display:
    """An Xvfb server on a display number it picks itself."""

    def __init__(self, screen):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%sx24" % screen, "-nolisten", "tcp"],
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


def wine_env(prefix, display):
    env = dict(os.environ)
    env.update({"WINEPREFIX": prefix, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=",
                "DISPLAY": display})
    return env


def prepare_prefix(work, screen):
    """A booted Wine whose virtual desktop fills the screen (Wine then draws the window frames and
    the system menu itself)."""
    prefix = os.path.join(work, "prefix-" + screen)
    if os.path.exists(os.path.join(prefix, "system.reg")):
        return prefix
    shutil.rmtree(prefix, ignore_errors=True)
    os.makedirs(work, exist_ok=True)
    display = Display(screen)
    try:
        env = wine_env(prefix, display.name)
        subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300, check=True)
        for key, value, data in [("Explorer", "Desktop", "Default"), (r"Explorer\Desktops", "Default", screen)]:
            subprocess.run(["wine", "reg", "add", "HKCU\\Software\\Wine\\" + key, "/v", value, "/d", data, "/f"],
                           env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        subprocess.run(["wineserver", "-w"], env=env, timeout=300)
    finally:
        display.close()
    return prefix


def xdotool(env, *words):
    return subprocess.run(["xdotool"] + [str(w) for w in words], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout.strip()


def wait_for(condition, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    raise RuntimeError("timed out waiting for " + what)


def game_process(prefix, exe):
    """The game's process in this prefix (other programs may be running games of their own)."""
    name = os.path.basename(exe).encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read().split(b"\0")
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().split(b"\0")[0]
        except OSError:
            continue
        if ("WINEPREFIX=%s" % prefix).encode() in environ and command.endswith(name):
            return int(pid)
    return None


def thread_ticks(pid):
    """CPU clock ticks of the main thread and of the rasteriser threads."""
    main = raster = 0
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/stat" % (pid, tid)) as f:
                stat = f.read()
            with open("/proc/%d/task/%s/comm" % (pid, tid)) as f:
                comm = f.read().strip()
        except OSError:
            continue
        fields = stat[stat.rindex(")") + 2:].split()
        ticks = int(fields[11]) + int(fields[12])  # utime + stime
        if tid == str(pid):
            main = ticks
        elif comm.startswith("llvmpipe"):
            raster += ticks
    return main, raster


def drawing_size(env, window):
    """Width and height of the game's GL surface (the child window Wine gives the context)."""
    tree = subprocess.run(["xwininfo", "-children", "-id", window], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout
    children = [line.split()[0] for line in tree.splitlines() if line.strip().startswith("0x")]
    info = subprocess.run(["xwininfo", "-id", children[0] if children else window], env=env,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    fields = dict(line.strip().split(": ", 1) for line in info.splitlines() if ": " in line)
    return int(fields.get("Width", 0)), int(fields.get("Height", 0))


def maximise(env, window, screen_size):
    """Alt+Space opens the window's system menu; X picks Maximize. Waits until the drawing surface has
    grown to most of the screen."""
    def grown():
        width, height = drawing_size(env, window)
        return width >= screen_size[0] - 40 and height >= screen_size[1] - 120
    for _ in range(5):
        xdotool(env, "key", "alt+space")
        time.sleep(0.5)
        xdotool(env, "key", "x")
        try:
            return wait_for(grown, 10, "the maximised window")
        except RuntimeError:
            xdotool(env, "key", "Escape")
    raise RuntimeError("the window did not maximise")


def frames_written(hud_dir):
    path = os.path.join(hud_dir, "fps")
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [float(line) for line in f if line.strip()]


def set_up_scene(env, scene, centre):
    xdotool(env, "mousemove", *centre)
    time.sleep(0.5)
    if scene == "night":
        xdotool(env, "key", "n")
        time.sleep(6.0)  # the light eases into night over a few seconds
    elif scene == "rain":
        xdotool(env, "key", "alt+w")
        time.sleep(0.8)
        xdotool(env, "key", "r")
    elif scene == "snow":
        xdotool(env, "key", "alt+w")
        time.sleep(0.8)
        xdotool(env, "key", "s")
        time.sleep(36.0)  # snow covers the ground at 3 % a second
    elif scene == "binoculars":
        xdotool(env, "click", "3")  # captures the mouse without firing
        time.sleep(0.8)
        xdotool(env, "key", "b")
    time.sleep(2.0)


def measure(args, prefix, exe, scene):
    display = Display(args.screen)
    hud_dir = tempfile.mkdtemp(prefix="hud-", dir=args.work)
    env = wine_env(prefix, display.name)
    game_env = dict(env)
    game_env.update({"GALLIUM_HUD": "fps", "GALLIUM_HUD_VISIBLE": "false", "GALLIUM_HUD_PERIOD": "1",
                     "GALLIUM_HUD_DUMP_DIR": hud_dir, "LD_PRELOAD": FAKETIME_LIBRARY, "FAKETIME": CLOCK,
                     "FAKETIME_DONT_FAKE_MONOTONIC": "1", "NO_FAKE_STAT": "1", "TZ": "UTC"})
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    game = subprocess.Popen(["wine", exe], env=game_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for(lambda: xdotool(env, "search", "--onlyvisible", "--name", "^%s$" % TITLE), 120,
                          "the game window").split()[0]
        pid = wait_for(lambda: game_process(prefix, exe), 30, "the game process")
        if args.maximised:
            maximise(env, window, args.screen_size)
        size = drawing_size(env, window)
        geometry = dict(line.split("=") for line in
                        xdotool(env, "getwindowgeometry", "--shell", window).splitlines() if "=" in line)
        centre = (int(geometry["X"]) + int(geometry["WIDTH"]) // 2, int(geometry["Y"]) + int(geometry["HEIGHT"]) // 2)
        set_up_scene(env, scene, centre)
        seen = len(frames_written(hud_dir))
        main0, raster0 = thread_ticks(pid)
        time.sleep(args.seconds)
        main1, raster1 = thread_ticks(pid)
        rates = frames_written(hud_dir)[seen:]
    finally:
        game.kill()
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display.close()
        shutil.rmtree(hud_dir, ignore_errors=True)
    if not rates:
        raise RuntimeError("no frame rates were written")
    fps = sum(rates) / len(rates)
    frames = fps * args.seconds
    per_frame = lambda ticks: 1000.0 * ticks / TICKS / frames
    return fps, per_frame(main1 - main0), per_frame(raster1 - raster0), size


def main():
    args = parse_args()
    exes = [os.path.abspath(e) for e in args.exes]
    prefix = prepare_prefix(args.work, args.screen)
    print("%-11s %-5s %9s %8s %14s %16s   %s" % ("scene", "round", "drawing", "fps", "main ms/frame",
                                                "raster ms/frame", "program"))
    for round_number in range(1, args.rounds + 1):
        for scene in args.scenes:
            for exe in exes:
                fps, main_ms, raster_ms, size = measure(args, prefix, exe, scene)
                print("%-11s %-5d %9s %8.1f %14.2f %16.2f   %s" % (scene, round_number, "%dx%d" % size, fps,
                                                                  main_ms, raster_ms, exe), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
