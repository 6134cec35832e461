#!/usr/bin/env python3
"""Checks the module as shipped and as built with -DZENTHARO_STRIP=OFF, from their section tables: the
shipped one has no symbols and an unwind section named ".eh_fram"; the other has symbols, and its unwind
section's name is a reference into their strings, which the loaded image does not hold."""
import struct
import sys


def sections(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    symbol_table, symbol_count = struct.unpack_from("<II", data, pe + 12)
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    strings = symbol_table + 18 * symbol_count
    names = []
    for index in range(count):
        raw = data[pe + 24 + optional_size + 40 * index:][:8].rstrip(b"\0").decode()
        if raw.startswith("/"):
            start = strings + int(raw[1:])
            raw = raw + "=" + data[start:data.index(b"\0", start)].decode()
        names.append(raw)
    return symbol_count, names


def main(shipped, with_symbols):
    failures = []
    count, names = sections(shipped)
    if count != 0:
        failures.append(f"{shipped} has {count} symbols")
    if ".eh_fram" not in names:
        failures.append(f"{shipped} has no section .eh_fram: {names}")
    count, names = sections(with_symbols)
    if count == 0:
        failures.append(f"{with_symbols} has no symbols")
    if not any(name.startswith("/") and name.endswith("=.eh_frame") for name in names):
        failures.append(f"{with_symbols} names its unwind section in the image: {names}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{2 - min(2, len(failures))} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
