#!/usr/bin/env python3
# Plants small faults in the product, one at a time, and runs the tests that
# judge that layer against each: a fault the tests miss survives. Each layer
# has a fixed list beside this script; a survivor that the list marks as
# accepted (with its reason) is reported but expected.
#
#     tests/mutation/mutate.py [--layer native|windows|x11] [--only TEXT]
#
# native: the portable code against the native unit, frame and fuzz-replay
# tests (mutations.txt, minutes). windows: the Windows bindings and both
# Windows programs against the Wine suites (mutations-windows.txt); x11: the
# X11 host against its tests (mutations-x11.txt). Those two run a test script
# per fault and take about an hour together.
#
# A line is FILE | ORIGINAL | REPLACEMENT, where ORIGINAL occurs exactly once
# in FILE ("\n" is a line break, "(nothing)" an empty replacement); in the
# windows and x11 lists a fourth field names the test scripts (and, after a
# colon, the tests in them) that judge it. " #" starts a comment, and a line
# whose comment begins with "accepted:" names a survivor and why it is left.

import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
REPLAYS = ["settings_reader", "command_line", "access_key", "button", "x11_options"]
NATIVE = ["-DCMAKE_BUILD_TYPE=Release", "-DORVELLE_SANITIZE=OFF", "-DORVELLE_BENCHMARKS=OFF"]
WINDOWS = ["-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake"]
# Each layer's list, the share of its faults the tests must catch, its build
# and the targets the tests need.
NATIVE_TARGETS = ["unit_tests", "frame_tests"] + [f"{r}_replay" for r in REPLAYS]
WINDOWS_TARGETS = (
    "orvelle_renderer orvelle_frontend_exe probe stand_in_renderer unit_tests win32_tests"
)
LAYERS = {
    "native": ("mutations.txt", 0.9, NATIVE, NATIVE_TARGETS),
    "windows": ("mutations-windows.txt", 0.85, WINDOWS, WINDOWS_TARGETS.split()),
    "x11": ("mutations-x11.txt", 0.85, NATIVE, ["orvelle", "orvelle-frames"]),
}


def mutations(listed):
    for number, line in enumerate((ROOT / "tests/mutation" / listed).read_text().splitlines(), 1):
        body, _, comment = line.partition(" #")
        if not body.strip() or body.lstrip().startswith("#"):
            continue
        fields = [part.strip().replace("\\n", "\n") for part in body.split(" | ")]
        path, original, replacement = fields[:3]
        yield {
            "line": number,
            "file": path,
            "from": original,
            "to": "" if replacement == "(nothing)" else replacement,
            "tests": fields[3].split() if len(fields) > 3 else [],
            "accepted": comment.strip().startswith("accepted:"),
        }


def run(args, cwd, timeout, env=None):
    try:
        return subprocess.run(
            args, cwd=cwd, capture_output=True, timeout=timeout, env=env
        ).returncode
    except subprocess.TimeoutExpired:
        return -1


def native_tests_pass(build, _tests):
    runs = [[build / "bin/unit_tests"], [build / "bin/frame_tests"]] + [
        [build / f"bin/{r}_replay", ROOT / f"tests/fuzz/corpus/{r}"] for r in REPLAYS
    ]
    return all(run(r, build, 300) == 0 for r in runs)


def script_tests_pass(build, tests):
    # Each script (with the tests named after its colon) stops at its first
    # failure; a fault is caught by the first script that fails.
    # The copy's harness, which reads the copy's sources.
    env = dict(os.environ, ORVELLE_BUILD=str(build), PYTHONPATH=str(build / "src/tests"))
    env.update(ORVELLE_BIN=str(build / "bin"), ORVELLE_E2E_WORK=str(build / "e2e"))
    for test in tests:
        script, _, names = test.partition(":")
        path = next((build / "src/tests").rglob(f"{script}.py"))
        command = [sys.executable, str(path), "-f", *filter(None, names.split(","))]
        if run(command, build, 900, env) != 0:
            print(f"  failed: {test}", flush=True)
            return False
    return True


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--layer", choices=LAYERS, default="native")
    ap.add_argument("--only", help="only the faults whose line contains this text")
    args = ap.parse_args()
    listed, share_needed, options, targets = LAYERS[args.layer]
    build = (ROOT / "build" / f"mutation-{args.layer}").resolve()
    source = build / "src"
    judge = native_tests_pass if args.layer == "native" else script_tests_pass
    # A copy of the tracked tree: the working tree is never touched.
    files = subprocess.run(
        ["git", "ls-files"], cwd=ROOT, capture_output=True, text=True, check=True
    ).stdout.split()
    for f in files:
        (source / f).parent.mkdir(parents=True, exist_ok=True)
        if not (source / f).exists() or (source / f).read_bytes() != (ROOT / f).read_bytes():
            shutil.copy2(ROOT / f, source / f)
    if not (build / "build.ninja").exists():
        subprocess.run(
            ["cmake", "-S", str(source), "-B", str(build), "-G", "Ninja", *options],
            check=True,
            stdout=subprocess.DEVNULL,
            cwd=source,
        )
    faults = [m for m in mutations(listed) if not args.only or args.only in m["from"] + m["file"]]
    every_test = sorted({t for m in faults for t in m["tests"]})
    build_it = ["cmake", "--build", ".", "--target", *targets]
    if run(build_it, build, 1800) != 0 or not judge(build, every_test):
        sys.exit("the unmutated tests do not pass")

    started_all = time.time()
    survivors, broken = [], []
    for m in faults:
        path = source / m["file"]
        text = path.read_text()
        if text.count(m["from"]) != 1:
            sys.exit(f"{listed}:{m['line']}: {m['from']!r} is not in {m['file']} exactly once")
        started = time.time()
        path.write_text(text.replace(m["from"], m["to"]))
        try:
            built = run(build_it, build, 1800) == 0
            killed = not built or not judge(build, m["tests"])
        finally:
            path.write_text(text)
            # Keep the build's view of the file's time ahead of the mutant's.
            path.touch()
        if not built:
            broken.append(m)
        if not killed:
            survivors.append(m)
        print(
            f"{'caught ' if killed else 'SURVIVED'} {time.time() - started:5.1f}s "
            f"{m['file']}: {m['from']} -> {m['to']}",
            flush=True,
        )
    run(build_it, build, 1800)
    caught = len(faults) - len(survivors)
    share = caught / len(faults) if faults else 1.0
    print(
        f"\n{args.layer}: {caught} of {len(faults)} faults caught ({share:.0%}); "
        f"{len(survivors)} survived; {(time.time() - started_all) / 60:.0f} minutes"
    )
    for s in survivors:
        print(
            f"  {listed}:{s['line']}: survived{' (accepted)' if s['accepted'] else ''}: "
            f"{s['file']}: {s['from']!r} -> {s['to']!r}"
        )
    for m in broken:
        print(f"  {listed}:{m['line']}: does not compile")
    unexpected = broken + [s for s in survivors if not s["accepted"]]
    sys.exit(0 if share >= share_needed and not unexpected else 1)


if __name__ == "__main__":
    main()
