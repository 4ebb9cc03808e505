"""What the exe carries, read back with wrestool: the menu, the sounds, the
pictures, the icon and the two dialogs."""

import struct
import subprocess
import sys
from xml.etree import ElementTree

import winegame

MENU = ["&Game", "&New Game\tR", 210, "", 0, "Day / Night\tN", 212, "", 0, "E&xit", 211, "&Weather", "&None", 201,
        "&Rainy", 202, "&Snowy", 203, "&Help", "&Donate", 206, "&About", 207]
SOUNDS = {107: 44100, 108: 22050, 109: 22050, 110: 32000, 111: 22050, 112: 44100, 113: 44100, 114: 44100,
          115: 44100, 116: 44100}  # id: sample rate
PICTURES = {104: (235, 235, 16), 105: (235, 235, 16), 200: (144, 53, 24), 201: (145, 53, 24), 202: (64, 64, 24)}
# Each dialog: its caption and size, and where its controls sit (id: x, y, width, height).
DIALOGS = {102: ("Donate", 252, 237, {1006: (7, 52, 96, 22), 1001: (7, 82, 103, 103), 1007: (132, 52, 97, 22),
                                     1002: (132, 82, 103, 103), 1: (195, 216, 50, 14)}),
           106: ("About", 380, 170, {1005: (7, 116, 280, 8), 1004: (295, 7, 80, 80), 1003: (7, 149, 50, 14),
                                     1: (323, 149, 50, 14)})}

def resource(exe, kind, name):
    return subprocess.run(["wrestool", "-x", "--raw", "--type=%d" % kind, "--name=%d" % name, exe],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout


def utf16(data, at):
    """A zero-terminated UTF-16 text and where the next field starts."""
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def menu_items(data):
    """Every item's text and, but for pop-ups, its command id, in order."""
    items, at = [], 4
    while at < len(data):
        flags, at = struct.unpack_from("<H", data, at)[0], at + 2
        command = [] if flags & 0x10 else [struct.unpack_from("<H", data, at)[0]]
        label, at = utf16(data, at + 2 * len(command))
        items += [label] + command
    return items


def main():
    exe, check = winegame.parse_args().exe, winegame.Check("resources")
    check.expect(menu_items(resource(exe, 4, 101)) == MENU, "menu 101 has its three pop-ups and items")
    for number, rate in sorted(SOUNDS.items()):
        data = resource(exe, 10, number)
        form = struct.unpack_from("<4s8x4s6xHI6xH4sI", data) if len(data) >= 44 else None
        check.expect(form == (b"RIFF", b"fmt ", 2, rate, 16, b"data", len(data) - 44) and len(data) > 44,
                     "sound %d is %d Hz 16-bit stereo with its samples" % (number, rate))
    for number, expected in sorted(PICTURES.items()):
        got = struct.unpack_from("<4xii2xH", resource(exe, 2, number))
        check.expect(got == expected, "bitmap %d is %d x %d at %d bits (got %s)" % ((number,) + expected + (got,)))
    icons = resource(exe, 14, 100)
    sizes = {icons[6 + 14 * i] or 256 for i in range(struct.unpack_from("<H", icons, 4)[0])}
    check.expect({16, 32, 64} <= sizes, "icon 100 comes at 16, 32 and 64 pixels (has %s)" % sorted(sizes))
    for number, (title, width, height, places) in DIALOGS.items():
        data = resource(exe, 5, number)
        words = [w.encode("utf-16-le") + b"\0\0" in data for w in (title, "MS Shell Dlg")]
        check.expect(struct.unpack_from("<hh", data, 22) == (width, height) and all(words),
                     "dialog %d is %s, %d x %d, in MS Shell Dlg" % (number, title, width, height))
        found = {i: data.find(struct.pack("<hhhhi", *r, i)) for i, r in places.items()}
        check.expect(min(found.values()) > 0, "%s's controls sit in place (%s)" % (title, found))
    link = resource(exe, 5, 106).find(struct.pack("<hhhhi", 7, 116, 280, 8, 1005))
    check.expect(struct.unpack_from("<I", resource(exe, 5, 106), link - 4)[0] & 0x100, "About's link notifies clicks")
    manifest_and_version(exe, check)
    return check.finish()


def manifest_and_version(exe, check):
    """The manifest Windows reads at start (type 24, name 1) and the version in the file's properties."""
    manifest = ElementTree.fromstring(resource(exe, 24, 1) or b"<none/>")
    said = {(e.tag.rpartition("}")[2], (e.text or "").strip() or e.get("Id") or e.get("name")) for e in manifest.iter()}
    for want in (("dpiAwareness", "PerMonitorV2, PerMonitor"), ("dpiAware", "true/pm"),
                 ("assemblyIdentity", "Microsoft.Windows.Common-Controls"),
                 ("supportedOS", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")):  # Windows 10 and 11
        check.expect(want in said, "the manifest's %s is %s" % want)
    data = resource(exe, 16, 1)
    if not check.expect(data, "the exe carries a version resource"):
        return

    def value(name):  # a text of the version: after its name, on a 4-byte boundary
        at = data.find(name.encode("utf-16-le") + b"\0\0") + 2 * len(name) + 2
        return utf16(data, at + (-at) % 4)[0] if at > 2 * len(name) + 2 else ""
    check.expect(value("ProductName") == "Gladewarden", "the product is Gladewarden")
    check.expect(value("LegalCopyright").startswith("Copyright") and value("FileDescription"),
                 "the version has a copyright line and a description")
    check.expect(("Version " + value("ProductVersion")).encode("utf-16-le") in resource(exe, 5, 106),
                 "its version is the one About shows (%s)" % value("ProductVersion"))

if __name__ == "__main__":
    sys.exit(main())
