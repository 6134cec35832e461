#!/usr/bin/env python3
"""Checks the built module from the outside: its export table, its imports and its resources."""
import re
import struct
import subprocess
import sys

ENTRY_POINTS = {
    "OnLoad": "?OnLoad@@YAXXZ",
    "OnInitialize": "?OnInitialize@@YAXAAVCMapStringToString@@@Z",
    "OnGamesListModified": "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z",
    "OnUserCommand": "?OnUserCommand@@YAXAAVCMapStringToString@@@Z",
    "OnPlanetChanged": "?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z",
    "OnAbout": "?OnAbout@@YAXAAVCMapStringToString@@@Z",
    "OnActivate": "?OnActivate@@YAXAAVCMapStringToString@@@Z",
}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"}
RUSSIAN, US_ENGLISH = 1049, 1033

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def exports(dll):
    dump = run("i686-w64-mingw32-objdump", "-p", dll).decode()
    addresses = [int(m.group(1), 16) for m in re.finditer(r"^\s*\[\s*\d+\] \+base\[\s*\d+\] ([0-9a-f]+) Export RVA", dump, re.M)]
    names = re.findall(r"^\s*\[\s*(\d+)\] (\S+)$", dump.split("[Ordinal/Name Pointer] Table", 1)[1].split("\n\n")[0], re.M)
    ordinals = {name: int(index) for index, name in names}
    return {name: addresses[index] for name, index in ordinals.items()}, dump


def check_exports(dll):
    table, dump = exports(dll)
    expected = set(ENTRY_POINTS) | set(ENTRY_POINTS.values())
    check(set(table) == expected, f"exports are {sorted(table)}, expected exactly {sorted(expected)}")
    for plain, decorated in ENTRY_POINTS.items():
        check(plain in table and table.get(plain) == table.get(decorated), f"{decorated} does not name {plain}")
    imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    check(imported <= SYSTEM_DLLS, f"imports beyond the system libraries: {sorted(imported - SYSTEM_DLLS)}")


def resources(dll):
    listing = run("wrestool", "-l", dll).decode()
    return [(int(t), n, int(lang)) for t, n, lang in re.findall(r"--type=(\d+) --name=(\S+) --language=(\d+)", listing)]


def raw(dll, kind, name):
    return run("wrestool", "-x", "--raw", f"--type={kind}", f"--name={name}", dll)


def utf16_string(data, offset):
    end = offset
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def check_resource_list(dll):
    listed = resources(dll)
    kinds = {(kind, name, language) for kind, name, language in listed if kind != 3}
    expected = {(5, "5000", RUSSIAN), (6, "1", RUSSIAN), (9, "1", RUSSIAN), (14, "1", RUSSIAN), (16, "1", US_ENGLISH)}
    check(kinds == expected, f"resources are {sorted(kinds)}, expected {sorted(expected)}")
    icons = [entry for entry in listed if entry[0] == 3]
    check(len(icons) == 2 and all(language == RUSSIAN for _, _, language in icons), f"icon images: {icons}")


def check_icon(dll):
    group = raw(dll, 14, 1)
    _, kind, count = struct.unpack_from("<HHH", group)
    images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    sizes = sorted((width, height) for width, height, *_ in images)
    check(kind == 1 and sizes == [(16, 16), (32, 32)], f"icon group holds {sizes}")
    for width, _, colours, _, _, bits, _, _ in images:
        check(colours == 16 or bits == 4, f"the {width}x{width} icon has {colours} colours / {bits} bits")


def check_template_string(dll):
    block = raw(dll, 6, 1)  # strings 0..15; the template string is number 1
    offset, strings = 0, []
    for _ in range(16):
        (length,) = struct.unpack_from("<H", block, offset)
        strings.append(block[offset + 2:offset + 2 + 2 * length].decode("utf-16-le"))
        offset += 2 + 2 * length
    check(strings[1] == "\n" * 7, f"template string is {strings[1]!r}")


def check_accelerator(dll):
    table = raw(dll, 9, 1)
    entries = [struct.unpack_from("<HHHH", table, i) for i in range(0, len(table), 8)]
    check(len(entries) == 1, f"accelerators: {entries}")
    flags, key, command, _ = entries[0]
    check(flags & 0x7F == 0x01 and key == 0x1B and command == 57602, f"accelerator is {entries[0]}")


DIALOG_ITEMS = [
    # text, id, x, y, cx, cy, class atom, alignment style
    ("Close", 57602, 625, 24, 50, 14, 0x80, None),
    ("Turn", -1, 18, 8, 16, 8, 0x82, 0), ("Col", -1, 52, 8, 11, 8, 0x82, 0),
    ("Cap", -1, 84, 8, 14, 8, 0x82, 0), ("Mat", -1, 115, 8, 13, 8, 0x82, 0),
    ("Bombing", -1, 139, 8, 28, 8, 0x82, 0), ("Pop", -1, 211, 8, 14, 8, 0x82, 0),
    ("Ind", -1, 243, 8, 11, 8, 0x82, 0), ("Col", -1, 274, 8, 11, 8, 0x82, 0),
    ("Cap", -1, 305, 8, 14, 8, 0x82, 0), ("Size", -1, 337, 8, 14, 8, 0x82, 0),
    ("Res", -1, 371, 8, 14, 8, 0x82, 0), ("Mat", -1, 403, 8, 13, 8, 0x82, 0),
    ("Upgrade", -1, 171, 8, 28, 8, 0x82, 1), ("Production", -1, 559, 8, 35, 8, 0x82, 0),
    ("L", -1, 440, 8, 8, 8, 0x82, 0), ("Need Col", -1, 457, 8, 30, 8, 0x82, 0),
    ("Need Cap", -1, 489, 8, 33, 8, 0x82, 0), ("Mass", -1, 527, 8, 18, 8, 0x82, 0),
]
WS_CHILD, WS_VISIBLE, WS_GROUP, WS_TABSTOP = 0x40000000, 0x10000000, 0x00020000, 0x00010000
DS_SETFONT, DS_CENTERMOUSE = 0x40, 0x1000


def check_dialog(dll):
    data = raw(dll, 5, 5000)
    style, _, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data)
    check(style == WS_CHILD | DS_SETFONT | DS_CENTERMOUSE, f"dialog style {style:#x}")
    check((x, y, cx, cy) == (0, 0, 680, 314), f"dialog rectangle {(x, y, cx, cy)}")
    offset = 18
    check(data[offset:offset + 4] == b"\0\0\0\0", "dialog has a menu or a class")
    title, offset = utf16_string(data, offset + 4)
    (points,) = struct.unpack_from("<H", data, offset)
    face, offset = utf16_string(data, offset + 2)
    check(title == "" and (points, face) == (8, "MS Sans Serif"), f"dialog title {title!r}, font {points} {face!r}")
    check(count == len(DIALOG_ITEMS), f"dialog has {count} items")
    for expected in DIALOG_ITEMS[:count]:
        offset = (offset + 3) & ~3
        item_style, _, ix, iy, icx, icy, item_id = struct.unpack_from("<IIhhhhH", data, offset)
        marker, atom = struct.unpack_from("<HH", data, offset + 18)
        text, offset = utf16_string(data, offset + 22)
        (extra,) = struct.unpack_from("<H", data, offset)
        offset += 2 + extra
        name, want_id, want_x, want_y, want_cx, want_cy, want_atom, alignment = expected
        actual = (text, item_id if item_id != 0xFFFF else -1, ix, iy, icx, icy, atom if marker == 0xFFFF else None)
        check(actual == expected[:7], f"dialog item {actual} differs from {expected[:7]}")
        check(item_style & (WS_CHILD | WS_VISIBLE) == WS_CHILD | WS_VISIBLE, f"{name} is not a visible child")
        if alignment is None:
            check(item_style & WS_TABSTOP and item_style & 0xF == 0, f"{name} is not a push button tab stop")
        else:
            check(item_style & 0xF == alignment and item_style & WS_GROUP and not item_style & WS_TABSTOP,
                  f"{name} header style {item_style:#x}")


def version_blocks(data, offset, end, path, found):
    """Walks the nested version blocks, collecting every string value under its key."""
    while offset < end:
        length, value_length, kind = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        key, value_offset = utf16_string(data, offset + 6)
        value_offset = (value_offset + 3) & ~3
        if kind == 1 and value_length:
            found[key] = data[value_offset:value_offset + 2 * value_length].decode("utf-16-le").rstrip("\0")
        elif kind == 1:
            found[key] = ""
        children = (value_offset + (2 * value_length if kind == 1 else value_length) + 3) & ~3
        version_blocks(data, children, offset + length, path + [key], found)
        offset = (offset + length + 3) & ~3


def check_version(dll):
    data = raw(dll, 16, 1)
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    check(fixed >= 0, "no fixed version information")
    if fixed >= 0:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", data, fixed + 8)
        check((file_ms, file_ls, product_ms, product_ls) == (0, 1, 0, 1), "numeric version is not 0.0.0.1")
    text = data.decode("utf-16-le", errors="replace")
    check("040904b0" in text.lower(), "string table is not US English, Unicode")
    check(struct.pack("<HH", 0x409, 1200) in data, "translation is not US English, Unicode")
    expected = {
        "FileDescription": "Zentharo DLL", "InternalName": "Zentharo", "OriginalFilename": "Zentharo.DLL",
        "ProductName": "Zentharo Dynamic Link Library", "FileVersion": "0, 0, 0, 1", "ProductVersion": "0, 0, 0, 1",
        "Comments": "", "CompanyName": "", "LegalTrademarks": "", "PrivateBuild": "", "SpecialBuild": "",
    }
    pairs = {}
    (length,) = struct.unpack_from("<H", data)
    version_blocks(data, 0, length, [], pairs)
    for key, value in expected.items():
        check(pairs.get(key) == value, f"version {key} is {pairs.get(key)!r}, expected {value!r}")


def main(dll):
    for step in (check_exports, check_resource_list, check_icon, check_template_string, check_accelerator,
                 check_dialog, check_version):
        step(dll)
    for failure in failures:
        print("FAIL:", failure)
    checked = 7
    print(f"{checked - min(checked, len(failures))} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
