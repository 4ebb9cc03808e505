#!/usr/bin/env python3
"""What the exe carries, read back with wrestool: the menu, the two dialogs,
the sounds, the pictures and the icon."""

import struct
import subprocess
import sys

import winegame

RT_BITMAP, RT_MENU, RT_DIALOG, RT_RCDATA, RT_GROUP_ICON = 2, 4, 5, 10, 14


def resource(exe, kind, name):
    result = subprocess.run(["wrestool", "-x", "--raw", "--type=%d" % kind, "--name=%d" % name, exe],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return result.stdout


def utf16z(data, offset):
    end = offset
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def sz_or_ord(data, offset):
    if data[offset:offset + 2] == b"\xff\xff":
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    return utf16z(data, offset)


def parse_menu(data):
    """[(depth, text, id)] with popups as id None and separators as text ''."""
    items, offset, depth_stack = [], 4, [False]
    while offset < len(data) and depth_stack:
        flags = struct.unpack_from("<H", data, offset)[0]
        offset += 2
        popup = flags & 0x10
        item_id = None
        if not popup:
            item_id = struct.unpack_from("<H", data, offset)[0]
            offset += 2
        text, offset = utf16z(data, offset)
        items.append((len(depth_stack) - 1, text, item_id))
        if popup:
            depth_stack.append(bool(flags & 0x80))
        elif flags & 0x80:
            while depth_stack and depth_stack.pop():
                pass
    return items


def parse_dialog(data):
    version, signature = struct.unpack_from("<HH", data, 0)
    assert (version, signature) == (1, 0xFFFF), "not an extended dialog"
    style = struct.unpack_from("<I", data, 12)[0]
    count, x, y, cx, cy = struct.unpack_from("<Hhhhh", data, 16)
    offset = 26
    _, offset = sz_or_ord(data, offset)  # menu
    _, offset = sz_or_ord(data, offset)  # class
    title, offset = utf16z(data, offset)
    points, weight, italic, charset = struct.unpack_from("<HHBB", data, offset)
    face, offset = utf16z(data, offset + 6)
    controls = []
    for _ in range(count):
        offset = (offset + 3) & ~3
        _, _, cstyle, x1, y1, w, h, cid = struct.unpack_from("<IIIhhhhi", data, offset)
        offset += 24
        kind, offset = sz_or_ord(data, offset)
        text, offset = sz_or_ord(data, offset)
        extra = struct.unpack_from("<H", data, offset)[0]
        offset += 2 + extra
        controls.append({"id": cid, "class": kind, "text": text, "rect": (x1, y1, w, h), "style": cstyle})
    return {"title": title, "size": (cx, cy), "font": (points, face), "style": style, "controls": controls}


def bitmap_header(data):
    size, width, height, planes, bits = struct.unpack_from("<IiiHH", data, 0)
    return width, height, bits


GAME_MENU = [
    (0, "&Game", None), (1, "&New Game\tR", 210), (1, "", 0), (1, "Day / Night\tN", 212), (1, "", 0),
    (1, "E&xit", 211),
    (0, "&Weather", None), (1, "&None", 201), (1, "&Rainy", 202), (1, "&Snowy", 203),
    (0, "&Help", None), (1, "&Donate", 206), (1, "&About", 207),
]

SOUNDS = {  # id: (rate, seconds)
    107: (44100, 0.58), 108: (22050, 12.79), 109: (22050, 0.49), 116: (44100, 0.37), 110: (32000, 0.52),
    111: (22050, 1.03), 112: (44100, 0.20), 113: (44100, 1.00), 114: (44100, 1.80), 115: (44100, 0.91),
}

PICTURES = {104: (235, 235, 16), 105: (235, 235, 16), 200: (144, 53, 24), 201: (145, 53, 24), 202: (64, 64, 24)}


def main():
    args = winegame.parse_args()
    check = winegame.Check("resources")
    exe = args.exe

    check.expect(parse_menu(resource(exe, RT_MENU, 101)) == GAME_MENU, "menu 101 has its three pop-ups and items")

    for number, (rate, seconds) in sorted(SOUNDS.items()):
        data = resource(exe, RT_RCDATA, number)
        expected = 44 + 4 * int(rate * seconds + 0.5)
        ok = len(data) == expected and data[:4] == b"RIFF" and data[12:16] == b"fmt " and data[36:40] == b"data"
        channels, sample_rate = struct.unpack_from("<HI", data, 22) if len(data) >= 28 else (0, 0)
        bits = struct.unpack_from("<H", data, 34)[0] if len(data) >= 36 else 0
        check.expect(ok and (channels, sample_rate, bits) == (2, rate, 16),
                     "sound %d is %d Hz 16-bit stereo, %d bytes (got %d)" % (number, rate, expected, len(data)))

    for number, expected in sorted(PICTURES.items()):
        data = resource(exe, RT_BITMAP, number)
        got = bitmap_header(data) if len(data) >= 16 else None
        check.expect(got == expected, "bitmap %d is %d x %d at %d bits (got %s)" % ((number,) + expected + (got,)))

    icons = resource(exe, RT_GROUP_ICON, 100)
    sizes = set()
    if len(icons) >= 6:
        count = struct.unpack_from("<H", icons, 4)[0]
        for i in range(count):
            width = icons[6 + 14 * i] or 256
            sizes.add(width)
    check.expect({16, 32, 64} <= sizes, "icon 100 comes at 16, 32 and 64 pixels (has %s)" % sorted(sizes))

    donate = parse_dialog(resource(exe, RT_DIALOG, 102))
    check.expect(donate["title"] == "Donate" and donate["size"] == (252, 237), "dialog 102 is Donate, 252 x 237")
    check.expect(donate["font"] == (8, "MS Shell Dlg"), "dialog 102 uses 8-point MS Shell Dlg")
    by_id = {c["id"]: c for c in donate["controls"]}
    texts = [c["text"] for c in donate["controls"] if c["id"] == -1]
    check.expect(texts == ["This software is completely free.\nWe sincerely hope you can support us.\n"
                           "Scan the WeChat or Alipay QR code below to donate.",
                           "Thank you very much for your support!"], "Donate's two texts read as written")
    expected_rects = {1006: (7, 52, 96, 22), 1001: (7, 82, 103, 103), 1007: (132, 52, 97, 22),
                      1002: (132, 82, 103, 103), 1: (195, 216, 50, 14)}
    check.expect(all(i in by_id and by_id[i]["rect"] == r for i, r in expected_rects.items()),
                 "Donate's pictures and OK sit where they belong")
    check.expect(by_id.get(1, {}).get("text") == "OK", "Donate has its OK button")

    about = parse_dialog(resource(exe, RT_DIALOG, 106))
    check.expect(about["title"] == "About" and about["size"] == (380, 170), "dialog 106 is About, 380 x 170")
    about_texts = [c["text"] for c in about["controls"] if c["id"] == -1]
    check.expect(about_texts[:5] == ["Gladewarden", "Version 1.0", "A first-person shooter game.",
                                     "Features: Forest scene, enemies, weather effects,",
                                     "animals, and procedural audio."] and len(about_texts) == 6,
                 "About's lines read as written, with a credit line")
    ids = {c["id"]: c for c in about["controls"]}
    check.expect(ids.get(1003, {}).get("text") == "Donate..." and ids.get(1, {}).get("text") == "OK",
                 "About has Donate... and OK")
    check.expect(1005 in ids and ids[1005]["style"] & 0x100 and ids[1005]["text"].startswith("http"),
                 "About's link is a notifying label showing a web address")
    check.expect(1004 in ids and ids[1004]["rect"] == (295, 7, 80, 80), "About shows the icon at its place")
    return check.finish()


if __name__ == "__main__":
    sys.exit(main())
