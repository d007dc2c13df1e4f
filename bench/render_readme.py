#!/usr/bin/env python3
"""Writes the benchmark figures into bench/README.md.

    render_readme.py RESULTS_DIR [README] [TARGETS]

RESULTS_DIR holds JSON files named after their benchmark program (PROGRAM.json, PROGRAM.more.json): Google Benchmark's own output
(--benchmark_out_format=json, a "benchmarks" list) or a list of plain figures
({"figures": [{"name": ..., "value": ..., "unit": ...}]}). Each program's table goes between
"<!-- figures: PROGRAM -->" and "<!-- end figures -->" in the README; a program without such a block
gets a new section at the end. The text around the blocks is kept.

TARGETS (bench/targets.tsv) gives a figure its description, the measure shown and its target. A
figure it does not list is shown under its own name with its CPU time, so a new benchmark appears
without further edits.
"""
import json
import os
import re
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "µs": 1e-6, "ms": 1e-3, "s": 1.0, "B": 1.0, "KB": 1024.0,
         "MB": 1024.0 ** 2, "%": 1.0, "x": 1.0, "": 1.0}
TIME_UNITS = ("ns", "us", "µs", "ms", "s")


class Target:
    def __init__(self, program, name, measure, target, text):
        self.program, self.name, self.measure, self.target, self.text = program, name, measure, target, text

    def check(self, value, unit):
        """'met', 'MISSED' or '' for a figure in the given unit against "< 0.5 ms" or "> 5 x"."""
        m = re.fullmatch(r"\s*([<>])\s*([0-9.]+)\s*(\S*)\s*", self.target)
        if not m or value is None:
            return ""
        bound = float(m.group(2)) * UNITS.get(m.group(3), 1.0)
        scaled = value * UNITS.get(unit, 1.0)
        ok = scaled < bound if m.group(1) == "<" else scaled > bound
        return "met" if ok else "MISSED"


def read_targets(path):
    targets = {}
    if not os.path.exists(path):
        return targets
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            fields += [""] * (5 - len(fields))
            t = Target(*[x.strip() for x in fields[:5]])
            targets[(t.program, t.name)] = t
    return targets


def figures_of(data):
    """(name, {measure: (value, unit)}) of every figure in a results file, in their order."""
    out = []
    if "benchmarks" in data:
        # Of repeated runs only their median is shown.
        repeated = {b.get("run_name") for b in data["benchmarks"] if b.get("run_type") == "aggregate"}
        for b in data["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            if b.get("run_type") != "aggregate" and b.get("run_name") in repeated:
                continue
            if b.get("error_occurred"):
                out.append((b.get("run_name", b["name"]), {"error": (b.get("error_message", "error"), "")}))
                continue
            unit = b.get("time_unit", "ns")
            measures = {"cpu": (b.get("cpu_time"), unit), "real": (b.get("real_time"), unit)}
            for key, value in b.items():
                if key == "bytes_per_second" and isinstance(value, (int, float)):
                    measures[key] = (value / 1e6, "MB/s")
                elif key not in measures and isinstance(value, (int, float)) and key not in (
                        "iterations", "repetitions", "repetition_index", "threads", "family_index",
                        "per_family_instance_index", "cpu_time", "real_time"):
                    measures[key] = (value, "")
            out.append((b.get("run_name", b["name"]), measures))
    for f in data.get("figures", []):
        out.append((f["name"], {"value": (f["value"], f.get("unit", ""))}))
    return out


def show(value, unit):
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if unit in TIME_UNITS:
        # Times in the most readable unit.
        seconds = value * UNITS[unit]
        for u, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6), ("ns", 1e-9)):
            if seconds >= scale or u == "ns":
                value, unit = seconds / scale, u
                break
    digits = 0 if abs(value) >= 100 else 1 if abs(value) >= 10 else 2 if abs(value) >= 0.1 else 3
    text = f"{value:,.{digits}f}"
    return f"{text} {unit}".strip() if unit not in ("%", "x") else text + unit


def table(program, figures, targets):
    rows = ["| Benchmark | Result | Target | |", "|---|---|---|---|"]
    for name, measures in figures:
        t = targets.get((program, name))
        if "error" in measures:
            rows.append(f"| `{name}` | not run: {measures['error'][0]} | {t.target if t else ''} | |")
            continue
        measure = t.measure if t and t.measure else ("cpu" if "cpu" in measures else "value")
        value, unit = measures.get(measure, (None, ""))
        label = f"`{name}`" + (f": {t.text}" if t and t.text else "")
        result = show(value, unit) + (f" ({measure})" if measure in ("cpu", "real") else "")
        extra = [f"{k} {show(v, '')}" for k, (v, _) in measures.items() if k not in ("cpu", "real", measure)]
        if extra:
            result += "; " + ", ".join(extra)
        verdict = t.check(value, unit) if t else ""
        rows.append(f"| {label} | {result} | {t.target if t else ''} | {verdict} |")
    return "\n".join(rows)


def render(readme_text, results, targets):
    for program in sorted(results):
        block = f"<!-- figures: {program} -->\n{table(program, results[program], targets)}\n<!-- end figures -->"
        pattern = re.compile(rf"<!-- figures: {re.escape(program)} -->.*?<!-- end figures -->", re.S)
        if pattern.search(readme_text):
            readme_text = pattern.sub(lambda _: block, readme_text)
        else:
            readme_text = readme_text.rstrip("\n") + f"\n\n## {program}\n\n{block}\n"
    return readme_text


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    readme = argv[2] if len(argv) > 2 else os.path.join(here, "README.md")
    targets = read_targets(argv[3] if len(argv) > 3 else os.path.join(here, "targets.tsv"))
    results = {}
    # PROGRAM.json before PROGRAM.more.json: the benchmarks first, figures derived from them after.
    for entry in sorted(os.listdir(argv[1]), key=lambda e: (e.split(".")[0], e.count("."), e)):
        if entry.endswith(".json"):
            with open(os.path.join(argv[1], entry), encoding="utf-8") as f:
                try:
                    data = json.load(f)
                except json.JSONDecodeError as e:
                    print(f"{entry}: {e}", file=sys.stderr)
                    continue
            program = entry.split(".")[0]  # manager_bench.json, manager_bench.derived.json
            results.setdefault(program, []).extend(figures_of(data))
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    with open(readme, "w", encoding="utf-8") as f:
        f.write(render(text, results, targets))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
