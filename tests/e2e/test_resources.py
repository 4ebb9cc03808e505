"""What the exe carries, read back with wrestool: the menu, the sounds, the pictures, the icon, the
two dialogs, the manifest and the version."""

import struct
import subprocess
from xml.etree import ElementTree

from winegame import main

MENU = [  # each item's text and, but for pop-ups, its command id
    ["&Game", "&New Game\tR", 210, "", 0, "Day / Night\tN", 212, "", 0, "E&xit", 211],
    ["&Weather", "&None", 201, "&Rainy", 202, "&Snowy", 203],
    ["&Help", "&Donate", 206, "&About", 207],
]
SOUNDS = {44100: [107, 112, 113, 114, 115, 116], 22050: [108, 109, 111], 32000: [110]}
PICTURES = {  # width, height, bits
    104: (235, 235, 16),
    105: (235, 235, 16),
    200: (144, 53, 24),
    201: (145, 53, 24),
    202: (64, 64, 24),
}
DIALOGS = {102: ("Donate", 252, 237), 106: ("About", 380, 170)}  # caption, width, height
CONTROLS = [  # dialog, control, x, y, width, height
    (102, 1006, 7, 52, 96, 22),
    (102, 1001, 7, 82, 103, 103),
    (102, 1007, 132, 52, 97, 22),
    (102, 1002, 132, 82, 103, 103),
    (102, 1, 195, 216, 50, 14),
    (106, 1005, 7, 116, 280, 8),
    (106, 1004, 295, 7, 80, 80),
    (106, 1003, 7, 149, 50, 14),
    (106, 1, 323, 149, 50, 14),
]
MANIFEST = [
    ("dpiAwareness", "PerMonitorV2, PerMonitor"),
    ("dpiAware", "true/pm"),
    ("assemblyIdentity", "Microsoft.Windows.Common-Controls"),
    ("supportedOS", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"),  # Windows 10 and 11
]


def utf16(data, at):
    """A zero-terminated UTF-16 text and where the next field starts."""
    end = at
    while data[end : end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def test(args, check):
    def resource(kind, name):
        command = ["wrestool", "-x", "--raw", "--type=%d" % kind, "--name=%d" % name, args.exe]
        return subprocess.run(command, capture_output=True).stdout

    data, items, at = resource(4, 101), [], 4
    while at < len(data):  # each item: flags, a command id but for pop-ups, its text
        flags, at = struct.unpack_from("<H", data, at)[0], at + 2
        command = [] if flags & 0x10 else [struct.unpack_from("<H", data, at)[0]]
        label, at = utf16(data, at + 2 * len(command))
        items += [label] + command
    check.expect(
        items == sum(MENU, []), "menu 101 has its three pop-ups and items (has %s)" % items
    )

    for rate, numbers in SOUNDS.items():
        for number in numbers:
            data = resource(10, number)
            want = (b"RIFF", b"fmt ", 2, rate, 16, b"data", len(data) - 44)
            fine = len(data) > 44 and struct.unpack_from("<4s8x4s6xHI6xH4sI", data) == want
            check.expect(fine, "sound %d is %d Hz 16-bit stereo with samples" % (number, rate))
    for number, want in PICTURES.items():
        got = struct.unpack_from("<4xii2xH", resource(2, number))
        check.expect(
            got == want, "bitmap %d is %s, width, height, bits (is %s)" % (number, want, got)
        )
    icons = resource(14, 100)
    sizes = {icons[6 + 14 * i] or 256 for i in range(struct.unpack_from("<H", icons, 4)[0])}
    check.expect({16, 32, 64} <= sizes, "icon 100 comes at 16, 32 and 64 pixels (has %s)" % sizes)

    dialogs = {number: resource(5, number) for number in DIALOGS}
    for number, (title, width, height) in DIALOGS.items():
        words = [
            w.encode("utf-16-le") + b"\0\0" in dialogs[number] for w in (title, "MS Shell Dlg")
        ]
        fine = struct.unpack_from("<hh", dialogs[number], 22) == (width, height) and all(words)
        check.expect(
            fine, "dialog %d is %s, %d x %d, in MS Shell Dlg" % (number, title, width, height)
        )
    for number, control, *place in CONTROLS:
        found = dialogs[number].find(struct.pack("<hhhhi", *place, control))
        check.expect(found > 0, "dialog %d's control %d sits at %s" % (number, control, place))
    link = dialogs[106].find(struct.pack("<hhhhi", 7, 116, 280, 8, 1005))
    style = struct.unpack_from("<I", dialogs[106], link - 4)[0]
    check.expect(style & 0x100, "About's link notifies clicks")

    # The manifest Windows reads at start (type 24, name 1), and the version in the file's details.
    tags = ElementTree.fromstring(resource(24, 1) or b"<none/>").iter()
    said = {
        (t.tag.split("}")[-1], (t.text or "").strip() or t.get("Id") or t.get("name")) for t in tags
    }
    for want in MANIFEST:
        check.expect(want in said, "the manifest's %s is %s" % want)
    data = resource(16, 1)

    def value(name):  # a text of the version: after its name, on a 4-byte boundary
        at = data.find(name.encode("utf-16-le") + b"\0\0") + 2 * len(name) + 2
        return utf16(data, at + (-at) % 4)[0] if at > 2 * len(name) + 2 else ""

    check.expect(value("ProductName") == "Gladewarden", "the product is Gladewarden")
    check.expect(value("LegalCopyright").startswith("Copyright"), "the version has a copyright")
    check.expect(value("FileDescription"), "the version has a description")
    version = value("ProductVersion")
    shown = ("Version " + version).encode("utf-16-le") in dialogs[106]
    check.expect(version and shown, "its version is the one About shows (%s)" % version)


if __name__ == "__main__":
    main(test)
