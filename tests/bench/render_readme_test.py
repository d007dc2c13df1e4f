#!/usr/bin/env python3
"""The tables that bench/render_readme.py writes into the benchmarks' README."""
import json
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import render_readme  # noqa: E402


def google(*benchmarks):
    return {"context": {}, "benchmarks": list(benchmarks)}


def run(name, cpu, real=None, unit="us", **counters):
    b = {"name": name, "run_name": name, "run_type": "iteration", "iterations": 10, "time_unit": unit,
         "cpu_time": cpu, "real_time": real if real is not None else cpu}
    b.update(counters)
    return b


class TargetTest(unittest.TestCase):
    def test_figures_are_compared_in_the_targets_unit(self):
        cases = [
            ("< 0.5 ms", 450, "us", "met"),
            ("< 0.5 ms", 0.6, "ms", "MISSED"),
            ("< 0.5 ms", 2_000_000, "ns", "MISSED"),
            ("< 1 s", 999, "ms", "met"),
            ("< 80 MB", 81, "MB", "MISSED"),
            ("< 1 %", 0.12, "%", "met"),
            ("> 5 x", 7.5, "x", "met"),
            ("> 5 x", 4.9, "x", "MISSED"),
            ("", 1, "ms", ""),
            ("well under the wait", 1, "ms", ""),
        ]
        for target, value, unit, verdict in cases:
            with self.subTest(target=target, value=value, unit=unit):
                t = render_readme.Target("p", "n", "cpu", target, "")
                self.assertEqual(t.check(value, unit), verdict)


class RenderTest(unittest.TestCase):
    README = ("# Benchmarks\n\nIntro.\n\n## clock_bench\n\n<!-- figures: clock_bench -->\n| old |\n"
              "<!-- end figures -->\n\nText after the table.\n")

    def render(self, results, targets):
        figures = {p: render_readme.figures_of(d) for p, d in results.items()}
        return render_readme.render(self.README, figures, targets)

    def test_block_is_replaced_and_the_text_around_it_kept(self):
        targets = {("clock_bench", "Tick"): render_readme.Target("clock_bench", "Tick", "cpu", "< 0.5 ms",
                                                                 "one tick, painted")}
        out = self.render({"clock_bench": google(run("Tick", 620.0))}, targets)
        self.assertNotIn("| old |", out)
        self.assertIn("Intro.", out)
        self.assertIn("Text after the table.", out)
        self.assertIn("| `Tick`: one tick, painted | 620 µs (cpu) | < 0.5 ms | MISSED |", out)

    def test_unlisted_benchmark_and_new_program_appear_without_edits(self):
        results = {"clock_bench": google(run("Tick", 80.0), run("PayoutRotation/100000", 1.5, unit="ms")),
                   "payout_bench": google(run("Rotate", 0.25, unit="ms"))}
        out = self.render(results, {})
        self.assertIn("| `PayoutRotation/100000` | 1.50 ms (cpu) |  |  |", out)
        self.assertIn("## payout_bench\n\n<!-- figures: payout_bench -->", out)
        self.assertIn("| `Rotate` | 250 µs (cpu) |  |  |", out)
        self.assertEqual(out.count("<!-- figures: clock_bench -->"), 1)

    def test_measure_counters_plain_figures_and_failures(self):
        targets = {
            ("clock_bench", "Tick"): render_readme.Target("clock_bench", "Tick", "real", "< 1 ms", ""),
            ("program", "3840x2160 resident memory"): render_readme.Target(
                "program", "3840x2160 resident memory", "value", "< 80 MB", ""),
        }
        results = {
            "clock_bench": google(run("Tick", 300.0, real=1500.0, painted_px=12000.0),
                                  {"name": "Broken", "run_name": "Broken", "error_occurred": True,
                                   "error_message": "no server"}),
            "program": {"figures": [{"name": "3840x2160 resident memory", "value": 72, "unit": "MB"}]},
        }
        out = self.render(results, targets)
        self.assertIn("| `Tick` | 1.50 ms (real); painted_px 12,000 | < 1 ms | MISSED |", out)
        self.assertIn("| `Broken` | not run: no server |", out)
        self.assertIn("| `3840x2160 resident memory` | 72.0 MB | < 80 MB | met |", out)

    def test_only_the_median_of_repeated_runs_is_shown(self):
        runs = [run("Tick", 90.0), run("Tick", 92.0), run("Once", 5.0),
                dict(run("Tick", 95.0), run_type="aggregate", aggregate_name="mean"),
                dict(run("Tick", 91.0), run_type="aggregate", aggregate_name="median")]
        names = [(n, m["cpu"][0]) for n, m in render_readme.figures_of(google(*runs))]
        self.assertEqual(names, [("Once", 5.0), ("Tick", 91.0)])

    def test_whole_run_reads_results_folder_and_targets_file(self):
        with tempfile.TemporaryDirectory() as d:
            results = os.path.join(d, "results")
            os.mkdir(results)
            with open(os.path.join(results, "manager_bench.json"), "w") as f:
                json.dump(google(run("Refresh", 3.5, unit="ms")), f)
            with open(os.path.join(results, "manager_bench.derived.json"), "w") as f:
                json.dump({"figures": [{"name": "ratio", "value": 6.2, "unit": "x"}]}, f)
            readme = os.path.join(d, "README.md")
            with open(readme, "w") as f:
                f.write("# B\n\n<!-- figures: manager_bench -->\n<!-- end figures -->\n")
            targets = os.path.join(d, "targets.tsv")
            with open(targets, "w") as f:
                f.write("# comment\nmanager_bench\tratio\tvalue\t> 5 x\ttimes faster\n")
            self.assertEqual(render_readme.main(["render", results, readme, targets]), 0)
            with open(readme) as f:
                out = f.read()
            self.assertIn("| `Refresh` | 3.50 ms (cpu) |", out)
            self.assertIn("| `ratio`: times faster | 6.20x | > 5 x | met |", out)


if __name__ == "__main__":
    unittest.main()
