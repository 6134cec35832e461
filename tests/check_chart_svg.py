#!/usr/bin/env python3
"""Reads the chart that `zentharo --svg -` writes with an XML parser and holds it to the table that
`zentharo --csv` prints for the same planet and edits: every series has one point per shown value, in
turn order, at its turn and at the height its value has on the panel's ticks; the ticks are round and
cover every value; the legends show the last turn's values.

    check_chart_svg.py ZENTHARO_TOOL
"""
import math
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
PANELS = [
    ("Size and population", ["Size", "Pop"]),
    ("Industry and capital", ["Ind", "Cap"]),
    ("Production", ["L"]),
    ("Ship mass", ["Mass"]),
    ("Materials", ["Mat"]),
]
TURNS = 20


def run(tool, arguments):
    result = subprocess.run([tool] + arguments, capture_output=True, check=True)
    return result.stdout


def shown_table(tool, arguments):
    """The columns the window shows, by header: Col, Cap and Mat name the stocks (the later columns)."""
    lines = run(tool, arguments + ["--csv"]).decode("utf-8", "replace").splitlines()
    header = lines[0].split(",")
    rows = [line.split(",") for line in lines[1:]]
    columns = {}
    for index, name in enumerate(header):
        columns[name] = [row[index] for row in rows]
    return columns


def is_round(step):
    """1, 2 or 5 times a power of ten."""
    exponent = math.floor(math.log10(step))
    mantissa = step / 10.0**exponent
    return any(math.isclose(mantissa, m, rel_tol=1e-9) for m in (1, 2, 5, 10))


def check(tool, name, arguments, failures):
    def fail(message):
        failures.append(f"{name}: {message}")

    table = shown_table(tool, arguments)
    root = ElementTree.fromstring(run(tool, arguments + ["--svg", "-"]))
    if root.tag != SVG + "svg":
        return fail(f"the document is a {root.tag}, not an svg")
    panels = root.findall(SVG + "g[@data-panel]")
    if [panel.get("data-panel") for panel in panels] != [title for title, _ in PANELS]:
        return fail(f"panels {[panel.get('data-panel') for panel in panels]}")

    for panel, (title, columns) in zip(panels, PANELS):
        plot = panel.find(SVG + "rect[@class='plot']")
        left, width = float(plot.get("x")), float(plot.get("width"))
        top, height = float(plot.get("y")), float(plot.get("height"))
        ticks = sorted((float(line.get("data-tick")), float(line.get("y1"))) for line in panel.iter(SVG + "line")
                       if line.get("data-tick") is not None)
        (low, low_y), (high, high_y) = ticks[0], ticks[-1]
        if not (math.isclose(low_y, top + height, abs_tol=0.01) and math.isclose(high_y, top, abs_tol=0.01)):
            fail(f"{title}: the ticks do not span the plot")
        steps = {round(b[0] - a[0], 12) for a, b in zip(ticks, ticks[1:])}
        if len(steps) != 1 or not all(is_round(step) for step in steps):
            fail(f"{title}: ticks {[tick for tick, _ in ticks]} are not evenly round")
        step = steps.pop() if len(steps) == 1 else 1
        for tick, _ in ticks:
            if not math.isclose(tick / step, round(tick / step), abs_tol=1e-9):
                fail(f"{title}: tick {tick} is no multiple of its step {step}")
        value_per_unit = (high - low) / (low_y - high_y)

        polylines = {line.get("data-series"): line for line in panel.iter(SVG + "polyline")}
        if sorted(polylines) != sorted(columns):
            fail(f"{title}: series {sorted(polylines)}")
            continue
        legends = [text.text for text in panel.iter(SVG + "text") if text.text and text.text.split(" ")[0] in columns]
        shown_values = []
        for column in columns:
            cells = table[column]
            expected = [(row, float(text)) for row, text in enumerate(cells) if text != ""]
            shown_values += [value for _, value in expected]
            pairs = [point.split(",") for point in polylines[column].get("points").split()]
            if len(pairs) != len(expected):
                fail(f"{column}: {len(pairs)} points for {len(expected)} shown values")
                continue
            for (x_text, y_text), (row, value) in zip(pairs, expected):
                if "." not in x_text or "." not in y_text:
                    fail(f"{column}: point {x_text},{y_text} is written without decimals")
                turn = (float(x_text) - left) / width * (TURNS - 1)
                if abs(turn - row) > 0.01:
                    fail(f"{column}: the point of row {row} stands at turn {turn:.3f}")
                read = low + (low_y - float(y_text)) * value_per_unit
                # Coordinates are written to a hundredth of a unit.
                if abs(read - value) > 0.006 * value_per_unit + 1e-9 * abs(value):
                    fail(f"{column} row {row}: the point reads {read!r}, the table shows {value!r}")
            last = cells[TURNS - 1]
            legend = f"{column} {last if last else '(empty)'}"
            if legend not in legends:
                fail(f"{title}: no legend '{legend}' among {legends}")
        if shown_values and (min(shown_values + [0]) < low or max(shown_values + [0]) > high):
            fail(f"{title}: the scale {low}..{high} does not cover {min(shown_values)}..{max(shown_values)}")


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        def record(file_name, **values):
            path = os.path.join(work, file_name)
            with open(path, "wb") as out:
                for key, value in values.items():
                    out.write(f"{key}=".encode() + (value if isinstance(value, bytes) else value.encode()) + b"\n")
            return path

        base = dict(Name="Terra Nova", Num="17", GameName="Alpha", Turn="40", Size="1000.00", Resource="2.00",
                    Population="800.00", COL="10.00", Industry="400.00", CAP="50.00", MAT="30.00",
                    Production="Capital")
        huge = record("huge.txt", **dict(base, Size="1e15", Population="9.99e14", Industry="1e15", CAP="3e14"))
        negative = record("negative.txt", **dict(base, MAT="-7", CAP="-1234.5", COL="-3"))
        # A Windows-1251 name with markup characters: the SVG must still be well-formed.
        strange = record("strange.txt", **dict(base, Name=b"\xcd\xee\xe2\xfb\xe9 <&> \"\x01\"", MAT="0",
                                               Production="Ship"))
        cases = {
            "sample": [],
            "edits": ["--set", "Col:3=500", "--set", "Production:0=Materials", "--set", "Upgrade:4=321.987"],
            "terraforming": ["--set", "Production:0=_TerraForming", "--set", "Bombing:5=77.7"],
            "huge": [huge],
            "negative": [negative, "--set", "Mat:2=-50"],
            "zero materials and a strange name": [strange],
        }
        failures = []
        for name, arguments in cases.items():
            before = len(failures)
            check(tool, name, arguments, failures)
            print(f"{'ok' if len(failures) == before else 'FAILED'}: {name}")
        for failure in failures:
            print(failure)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
