#!/usr/bin/env python3
"""Reads the chart that `zentharo --svg -` writes with an XML parser and holds it to the texts that
`zentharo --json` prints for the same planet and edits: every series has one point per text that is not
empty, in turn order, at its turn and at the height its value has on the panel's ticks, and one polyline
per run of consecutive such turns; the ticks are round and cover every value; the legends show the last
turn's values with two decimals.

    check_chart_svg.py ZENTHARO_TOOL
"""
import decimal
import json
import math
import os
import re
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
JSON_NAMES = {"Size": "size", "Pop": "pop", "Ind": "ind", "Cap": "cap", "L": "l", "Mass": "mass", "Mat": "mat"}
TURNS = 20
LEADING_NUMBER = re.compile(r"\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")


def run(tool, arguments):
    result = subprocess.run([tool] + arguments, capture_output=True, check=True)
    return result.stdout


def stored_table(tool, arguments):
    """The texts each column holds, by JSON name."""
    return json.loads(run(tool, arguments + ["--json"]).decode("utf-8"))["columns"]


def held_value(text):
    """What a stored text reads as: its leading number, or 0."""
    match = LEADING_NUMBER.match(text)
    return float(match.group(0)) if match else 0.0


def two_decimals(value):
    """The value with two decimals, an exact tie rounded away from zero."""
    return str(decimal.Decimal(value).quantize(decimal.Decimal("0.01"), rounding=decimal.ROUND_HALF_UP))


def runs_of(rows):
    """Consecutive rows grouped: [0, 1, 3] gives [[0, 1], [3]]."""
    runs = []
    for row in rows:
        if runs and runs[-1][-1] + 1 == row:
            runs[-1].append(row)
        else:
            runs.append([row])
    return runs


def is_round(step):
    """1, 2 or 5 times a power of ten."""
    exponent = math.floor(math.log10(step))
    mantissa = step / 10.0**exponent
    return any(math.isclose(mantissa, m, rel_tol=1e-9) for m in (1, 2, 5, 10))


def check(tool, name, arguments, failures, before_arguments=None):
    """With before_arguments (a plan's arguments without the plan), the table they give must be drawn as
    the polylines marked data-before, by the same rule of points and breaks."""
    def fail(message):
        failures.append(f"{name}: {message}")

    stored = stored_table(tool, arguments)
    before_stored = stored_table(tool, before_arguments) if before_arguments is not None else None
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

        polylines, before_polylines = {}, {}
        for line in panel.iter(SVG + "polyline"):
            group = before_polylines if line.get("data-before") is not None else polylines
            group.setdefault(line.get("data-series"), []).append(line)
        if sorted(polylines) != sorted(columns):
            fail(f"{title}: series {sorted(polylines)}")
            continue
        expected_before = sorted(columns) if before_stored is not None else []
        if sorted(before_polylines) != expected_before:
            fail(f"{title}: series before the plan {sorted(before_polylines)}")
            continue
        legends = [text.text for text in panel.iter(SVG + "text") if text.text and text.text.split(" ")[0] in columns]
        held_values = []

        def check_runs(column, lines, texts):
            expected = runs_of([row for row, text in enumerate(texts) if text != ""])
            if len(lines) != len(expected):
                return fail(f"{column}: {len(lines)} polylines for the runs {expected}")
            for polyline, rows in zip(lines, expected):
                pairs = [point.split(",") for point in polyline.get("points").split()]
                if len(pairs) != len(rows):
                    fail(f"{column}: {len(pairs)} points for the run {rows}")
                    continue
                for (x_text, y_text), row in zip(pairs, rows):
                    value = held_value(texts[row])
                    held_values.append(value)
                    if "." not in x_text or "." not in y_text:
                        fail(f"{column}: point {x_text},{y_text} is written without decimals")
                    turn = (float(x_text) - left) / width * (TURNS - 1)
                    if abs(turn - row) > 0.01:
                        fail(f"{column}: the point of row {row} stands at turn {turn:.3f}")
                    read = low + (low_y - float(y_text)) * value_per_unit
                    # Coordinates are written to a hundredth of a unit.
                    if abs(read - value) > 0.006 * value_per_unit + 1e-9 * abs(value):
                        fail(f"{column} row {row}: the point reads {read!r}, the table holds {value!r}")

        for column in columns:
            texts = stored[JSON_NAMES[column]][:TURNS]
            check_runs(column, polylines[column], texts)
            if before_stored is not None:
                check_runs(column, before_polylines[column], before_stored[JSON_NAMES[column]][:TURNS])
            last = texts[TURNS - 1]
            legend = f"{column} {two_decimals(held_value(last))}" if last else f"{column} (empty)"
            if legend not in legends:
                fail(f"{title}: no legend '{legend}' among {legends}")
        if held_values and (min(held_values + [0]) < low or max(held_values + [0]) > high):
            fail(f"{title}: the scale {low}..{high} does not cover {min(held_values)}..{max(held_values)}")


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
        # Materials that run out, and a record without materials or population: zeros on the line, gaps
        # at the empty texts.
        spent = record("spent.txt", **dict(base, MAT="0.004"))
        missing = record("missing.txt", **{k: v for k, v in base.items() if k not in ("MAT", "Population")})
        # A Windows-1251 name with markup characters: the SVG must still be well-formed.
        strange = record("strange.txt", **dict(base, Name=b"\xcd\xee\xe2\xfb\xe9 <&> \"\x01\"", MAT="0",
                                               Production="Ship"))
        cases = {
            "sample": [],
            "edits": ["--set", "Col:3=500", "--set", "Production:0=Materials", "--set", "Upgrade:4=321.987"],
            "terraforming": ["--set", "Production:0=_TerraForming", "--set", "Bombing:5=77.7"],
            "huge": [huge],
            "negative": [negative, "--set", "Mat:2=-50"],
            "materials run out": [spent],
            "no materials or population in the record": [missing, "--set", "Production:3=Materials"],
            "zero materials and a strange name": [strange],
        }
        # A plan applied: its table drawn over the table before it (the same arguments without the plan).
        planned = {
            "the best plan for ships": (["--set", "Col:3=500"], ["--plan", "ships"]),
            "the best plan for production from row 12": ([spent], ["--plan", "production", "--plan-from", "12"]),
        }
        failures = []
        checks = [(name, arguments, None) for name, arguments in cases.items()]
        checks += [(name, before + plan, before) for name, (before, plan) in planned.items()]
        for name, arguments, before_arguments in checks:
            count = len(failures)
            check(tool, name, arguments, failures, before_arguments)
            print(f"{'ok' if len(failures) == count else 'FAILED'}: {name}")
        for failure in failures:
            print(failure)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
