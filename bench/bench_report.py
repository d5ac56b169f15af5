#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints every benchmark figure beside its anchor from the same run, with
the ratio and, where one is set, the target and whether it is met. A
figure taken over several runs is their median, followed by the fastest
and the slowest run:

    bench_report.py ROWS GBENCH_JSON [--markdown]

ROWS is what bench_programs.py writes; GBENCH_JSON is kestrin-bench's
Google Benchmark output (--benchmark_out_format=json, with repetitions and
aggregates), whose medians become rows of the same kind here.
"""
import argparse
import json

REPAINT_COLUMNS = (("open", "first after open"), ("warm", "warm"), ("zoomin", "first after Zoom In"),
                   ("scroll", "first after a scroll step"))


def benchmark_rows(path, loadavg):
    """Rows from Google Benchmark's medians: the load against the line
    count, and the rubber bands on the full map against a small one."""
    with open(path) as f:
        data = json.load(f)
    medians = {b["run_name"]: b for b in data["benchmarks"] if b.get("aggregate_name") == "median"}

    def ms(name):
        b = medians.get(name)
        if b is None:
            return None
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        return b["real_time"] * scale

    rows = []
    for bench, heap in (("BM_LoadFreshPages", "fresh pages"), ("BM_LoadReusedHeap", "reused heap")):
        for name in (n for n in medians if n.startswith(bench + "/")):
            kind = name.split("/")[1]
            faults = medians[name].get("page_faults", 0)
            rows.append(dict(section="load", path="load, benchmark loop, %s (%.0f page faults a load)" % (heap, faults),
                             map=kind, unit="ms", value=ms(name), anchor="fgets line count, same process",
                             anchor_value=ms("BM_CountLines/" + kind),
                             target=["ratio", 4] if kind == "realistic" else None, loadavg=loadavg))
    for move, what in (("BM_MeasureMove", "measuring"), ("BM_ZoomBoxMove", "zoom box")):
        rows.append(dict(section="rubber band", path="rubber band, %s move, 32767 planets" % what, map="realistic",
                         unit="ms", value=ms(move + "/planets:32767"), anchor="the same on 1000 planets",
                         anchor_value=ms(move + "/planets:1000"), target=None, loadavg=loadavg))
    return rows


def number(value, unit):
    if value is None:
        return "-"
    if unit == "ms":
        return "%.3g ms" % value if value < 100 else "%.0f ms" % value
    return "%.0f %s" % (value, unit)


def spread(value, runs, unit):
    """The median, and the fastest and slowest run where there were several."""
    text = number(value, unit)
    runs = [r for r in runs or [] if r is not None]
    if len(runs) > 1:
        text += " (%s-%s)" % (number(min(runs), unit).split()[0], number(max(runs), unit).split()[0])
    return text


def ratio(row):
    if row.get("value") is None or not row.get("anchor_value"):
        return None
    return row["value"] / row["anchor_value"]


def verdict(row):
    target = row.get("target")
    if not target:
        return ""
    kind, limit = target
    if kind == "ratio":
        r = ratio(row)
        if r is None:
            return "not measured"
        return "at most %gx: %s" % (limit, "met" if r <= limit else "missed by %.1fx" % (r / limit))
    value = row.get("value")
    if value is None:
        return "at most %g %s: missed" % (limit, row["unit"])
    return "at most %g %s: %s" % (limit, row["unit"], "met" if value <= limit else "missed by %.1fx" % (value / limit))


def path_lines(rows):
    header = ("path", "map", "figure", "anchor", "anchor figure", "ratio", "target", "load avg")
    lines = [header]
    for row in rows:
        r = ratio(row)
        lines.append((row["path"], row["map"], spread(row.get("value"), row.get("runs"), row["unit"]), row["anchor"],
                      spread(row.get("anchor_value"), row.get("anchor_runs"), row["unit"]),
                      "%.2fx" % r if r is not None else "-",
                      verdict(row), row.get("loadavg", "")))
    return lines


def repaint_cell(row):
    if row is None:
        return "n/a"
    if row["status"] == "skip":
        return "not run"
    if row["status"] == "cut":
        return "> %.0f ms (cut off)" % row["budget_ms"]
    r = ratio(row)
    cell = number(row["value"], "ms") + (" (%.2fx)" % r if r is not None else "")
    if row.get("target") and row["value"] > row["target"][1]:
        cell += " !"
    return cell


def repaint_lines(rows):
    header = ("map", "zoom") + tuple(title for _, title in REPAINT_COLUMNS) + ("reference (anchor)", "load avg")
    lines = [header]
    table = {}
    for row in rows:
        table.setdefault((row["map"], row["zoom"]), {})[row["path"].split()[1]] = row
    for (kind, zoom), cells in table.items():
        first = next(iter(cells.values()))
        reference = ("> %.0f ms (cut off)" % first["budget_ms"] if first["anchor_status"] == "cut"
                     else number(first["anchor_value"], "ms"))
        lines.append((kind, str(zoom)) + tuple(repaint_cell(cells.get(m)) for m, _ in REPAINT_COLUMNS) +
                     (reference, first.get("loadavg", "")))
    return lines


def render(lines, markdown):
    if markdown:
        out = ["| " + " | ".join(lines[0]) + " |", "|" + "---|" * len(lines[0])]
        out += ["| " + " | ".join(line) + " |" for line in lines[1:]]
        return "\n".join(out)
    widths = [max(len(line[i]) for line in lines) for i in range(len(lines[0]))]
    return "\n".join("  ".join(cell.ljust(w) for cell, w in zip(line, widths)).rstrip() for line in lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("rows")
    parser.add_argument("gbench")
    parser.add_argument("--gbench-loadavg", default="")
    parser.add_argument("--markdown", action="store_true")
    args = parser.parse_args()
    with open(args.rows) as f:
        rows = [json.loads(line) for line in f if line.strip()]
    rows += benchmark_rows(args.gbench, args.gbench_loadavg)
    repaints = [r for r in rows if r["section"] == "sweep"]
    paths = [r for r in rows if r["section"] != "sweep"]
    order = ("render", "startup", "keys", "load", "memory", "rubber band")
    paths.sort(key=lambda r: order.index(r["section"]) if r["section"] in order else len(order))
    print(render(path_lines(paths), args.markdown))
    if not repaints:
        return
    print()
    print("Repaints at 1920x1080, each with its ratio to the plain reference surface at the same zoom"
          " (\"!\" over the 100 ms target):")
    print()
    print(render(repaint_lines(repaints), args.markdown))


if __name__ == "__main__":
    main()
