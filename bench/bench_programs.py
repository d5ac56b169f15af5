#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times what only a whole process shows, each figure beside its anchor from
the same run, and writes one JSON row per figure:

    bench_programs.py --bin DIR --maps DIR --out ROWS [--runs N] [--budget-ms MS] [SECTION...]

ROWS is a new file.
DIR holds the Release programs (kestrin, kestrin-render, kestrin-bench,
kestrin-bench-bare, xlat); the maps folder holds realistic.dat, today.dat,
packed.dat, stacked.dat and stacked-scripts.dat. Sections, all by default, in this order:

  render   kestrin-render --size 1920x1080 --circles --truce --legend against
           bench/cairo_map.py drawing the same picture, taking turns
  load     one load in a fresh process against an fgets line count of the
           same file in that process
  sweep    repaints (first after open, warm, first after Zoom In, first
           after a scroll step) against the plain reference surface, at
           every zoom from 12500 to 1 on the packed and both stacked maps and at
           three zooms on the others; each zoom runs in a process of its
           own, and a measure that outlasts the budget is cut off
  memory   the window's heap per planet beyond an empty map, against the
           loaded model's
  startup  `kestrin FILE` to the first painted map under Xvfb, against the
           bare Qt window becoming visible, taking turns
  keys     keypad plus to the changed frame, against the bare window's
           key-to-repaint

Every row records the load average when its figure was taken.
"""
import argparse
import json
import os
import sys
import tempfile
import time

from bench_processes import Child, Xvfb, median, run_timed, xlat, wait_for_window

MAPS = ("realistic", "today", "packed", "stacked", "stacked-scripts")
FULL_ZOOMS = [12500 >> i for i in range(14)]  # 12500, 6250, ..., 3, 1
FEW_ZOOMS = [12500, 1562, 195]
SWEPT_MAPS = ("packed", "stacked", "stacked-scripts")
REPAINTS = ("open", "warm", "zoomin", "scroll")
KEYS = 5
KEY_LIMIT_MS = 10000


def loadavg():
    return " ".join("%.2f" % v for v in os.getloadavg())


class Bench:
    def __init__(self, args, scratch):
        self.bin = args.bin
        self.maps = args.maps
        self.runs = args.runs
        self.budget = args.budget_ms / 1000
        self.scratch = scratch
        self.rows = []
        # Median start-up to the first painted map, per map, once measured.
        self.first_paint = {}

    def program(self, name):
        return os.path.join(self.bin, name)

    def map_file(self, kind):
        return os.path.join(self.maps, kind + ".dat")

    def begin(self, section):
        print("bench: %s (load average %s)" % (section, loadavg()), file=sys.stderr, flush=True)

    def row(self, **fields):
        fields["loadavg"] = loadavg()
        self.rows.append(fields)

    # render ---------------------------------------------------------------
    def render(self):
        self.begin("render")
        factions = os.path.join(self.scratch, "factions.txt")
        with open(factions, "w") as f:
            f.write(run_timed([self.program("kestrin-bench"), "--faction-table"])[1])
        cairo_script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cairo_map.py")
        for kind in MAPS:
            ours, theirs = [], []
            for run in range(self.runs):
                out = os.path.join(self.scratch, "%s-%d-" % (kind, run))
                ours.append(run_timed([self.program("kestrin-render"), "--size", "1920x1080", "--circles",
                                       "--truce", "--legend", "-o", out + "kestrin.png", self.map_file(kind)])[0])
                theirs.append(run_timed([sys.executable, cairo_script, "--size", "1920x1080", "--factions",
                                         factions, self.map_file(kind), out + "cairo.png"])[0])
            self.row(section="render", path="kestrin-render 1920x1080 --circles --truce --legend, whole process",
                     map=kind, unit="ms", value=median(ours), runs=ours,
                     anchor="Python Cairo script, same picture", anchor_value=median(theirs), anchor_runs=theirs,
                     target=["ratio", 0.2] if kind == "realistic" else None)

    # load -----------------------------------------------------------------
    def load(self):
        self.begin("load")
        for kind in MAPS:
            loads, counts = [], []
            # A load is short enough that another process taking the core
            # for one time slice doubles it: three times the runs.
            for _ in range(3 * self.runs):
                out = run_timed([self.program("kestrin-bench"), "--load-once", self.map_file(kind)])[1].split()
                loads.append(float(out[1]))
                counts.append(float(out[3]))
            self.row(section="load", path="load, fresh process", map=kind, unit="ms", value=median(loads),
                     runs=loads, anchor="fgets line count, same process", anchor_value=median(counts),
                     anchor_runs=counts, target=["ratio", 4] if kind == "realistic" else None)

    # sweep ----------------------------------------------------------------
    def repaint_child(self, kind, zoom, measures):
        """Runs one child; returns {measure: (median, runs) or None for cut}."""
        child = Child([self.program("kestrin-bench"), "--repaint", kind, str(zoom)] + list(measures),
                      env=dict(os.environ, KESTRIN_BENCH_MAPS=self.maps))
        results = {}
        try:
            if child.read_line(60) != "ready":
                raise RuntimeError("repaint child for %s at %d did not start" % (kind, zoom))
            for _ in measures:
                line = child.read_line(self.budget)
                if line is None:
                    break
                name, med, reps, fastest, slowest = line.split("\t")
                results[name] = (float(med), int(reps))
        finally:
            child.stop()
        return results

    def sweep(self):
        self.begin("sweep")
        for kind in MAPS:
            for zoom in FULL_ZOOMS if kind in SWEPT_MAPS else FEW_ZOOMS:
                measures = [m for m in REPAINTS if not (m == "zoomin" and zoom == 12500)]
                fast = self.repaint_child(kind, zoom, measures)
                ref = self.repaint_child(kind, zoom, ["reference"]).get("reference")
                cut_seen = False
                for m in measures:
                    got = fast.get(m)
                    status = "ok" if got else ("skip" if cut_seen else "cut")
                    cut_seen = cut_seen or not got
                    self.row(section="sweep", path="repaint " + m, map=kind, zoom=zoom, unit="ms",
                             value=got[0] if got else None, reps=got[1] if got else 0, status=status,
                             anchor="plain reference surface", anchor_value=ref[0] if ref else None,
                             anchor_status="ok" if ref else "cut", budget_ms=self.budget * 1000,
                             target=["absolute", 100] if kind in SWEPT_MAPS else None)

    # memory ---------------------------------------------------------------
    def memory(self):
        self.begin("memory")
        for kind in MAPS:
            out = run_timed([self.program("kestrin-bench"), "--window-memory", kind],
                            env=dict(os.environ, KESTRIN_BENCH_MAPS=self.maps))[1]
            stages = dict((line.split("\t")[0], float(line.split("\t")[1])) for line in out.splitlines())
            for stage, label in (("first-paint", "after the first paint"),
                                 ("after-zooms", "after 3 Zoom Ins and a scroll step")):
                self.row(section="memory", path="window heap beyond an empty map, " + label, map=kind,
                         unit="bytes/planet", value=stages[stage], anchor="the loaded model alone",
                         anchor_value=stages["model"],
                         target=["absolute", 200] if kind == "realistic" else None)

    # startup and keys -----------------------------------------------------
    def window_env(self, display):
        config = tempfile.mkdtemp(dir=self.scratch)
        return dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config)

    def startup(self, display):
        self.begin("startup")
        env = self.window_env(display)
        for kind in MAPS:
            ours, ours_window, bare = [], [], []
            for _ in range(self.runs):
                window, _ = xlat(self.program("xlat"), ["startup", "Kestrin bench bare window",
                                                        self.program("kestrin-bench-bare")], env)
                bare.append(window)
                window, painted = xlat(self.program("xlat"), ["startup", kind + ".dat - Kestrin",
                                                              self.program("kestrin"), self.map_file(kind)], env)
                ours_window.append(window)
                ours.append(painted)
            self.first_paint[kind] = median(ours)
            self.row(section="startup", path="kestrin FILE to the first painted map, Xvfb", map=kind, unit="ms",
                     value=median(ours), runs=ours, anchor="bare Qt window becoming visible",
                     anchor_value=median(bare), anchor_runs=bare,
                     target=["ratio", 2] if kind == "realistic" else None)
            # The event timed before: the window appearing, not yet painted.
            self.row(section="startup", path="kestrin FILE to its window becoming visible, Xvfb", map=kind,
                     unit="ms", value=median(ours_window), runs=ours_window,
                     anchor="bare Qt window becoming visible", anchor_value=median(bare), anchor_runs=bare,
                     target=None)

    def key_times(self, argv, title, env, settle):
        child = Child(argv, env=env)
        try:
            if not wait_for_window(title, env, 30):
                raise RuntimeError("no window " + title)
            time.sleep(settle)
            lines = run_timed([self.program("xlat"), "keys", title, "KP_Add", str(KEYS)], env=env)[1]
        finally:
            child.stop(terminate=True)
        # The probe gives up on a key after 10 s and prints -1.
        times = [float(l.split()[3]) for l in lines.splitlines() if "first-change" in l]
        return [t if t >= 0 else KEY_LIMIT_MS for t in times]

    def keys(self, display):
        self.begin("keys")
        env = self.window_env(display)
        for kind in MAPS:
            # The first painted map must be on screen before the first key.
            settle = 0.5 + 3 * self.first_paint.get(kind, 1000) / 1000
            ours = self.key_times([self.program("kestrin"), self.map_file(kind)], kind + ".dat - Kestrin", env,
                                  settle)
            bare = self.key_times([self.program("kestrin-bench-bare")], "Kestrin bench bare window", env, 0.5)
            path = "keypad plus to the changed frame (Zoom In), Xvfb"
            if any(t >= KEY_LIMIT_MS for t in ours + bare):
                path += " (a key with no changed frame counts as %d ms)" % KEY_LIMIT_MS
            self.row(section="keys", path=path, map=kind, unit="ms", value=median(ours), runs=ours,
                     anchor="bare Qt widget key to repaint", anchor_value=median(bare), anchor_runs=bare,
                     target=["ratio", 1.5] if kind == "realistic" else None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--maps", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--budget-ms", type=float, default=2500)
    parser.add_argument("sections", nargs="*", default=["render", "load", "sweep", "memory", "startup", "keys"])
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="kestrin-bench-") as scratch:
        bench = Bench(args, scratch)
        for section in ("render", "load", "sweep", "memory"):
            if section in args.sections:
                getattr(bench, section)()
        if "startup" in args.sections or "keys" in args.sections:
            with Xvfb() as display:
                if "startup" in args.sections:
                    bench.startup(display)
                if "keys" in args.sections:
                    bench.keys(display)
    with open(args.out, "x") as f:
        for row in bench.rows:
            f.write(json.dumps(row) + "\n")


if __name__ == "__main__":
    main()
