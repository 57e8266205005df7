#!/usr/bin/env python3
"""Plants small faults in the product, one at a time, and runs the native
unit, frame and fuzz-replay tests against each: a fault the tests miss
survives. The faults are the fixed list in tests/mutation/mutations.txt; a survivor
that the list marks as accepted (with its reason) is reported but expected.

    tests/mutation/mutate.py [--build DIR] [--only TEXT]

Each line of the list is FILE | ORIGINAL | REPLACEMENT, where ORIGINAL occurs
exactly once in FILE ("\\n" is a line break, "(nothing)" an empty
replacement); " #" starts a comment, and a line whose comment begins with
"accepted:" names a survivor and why it is left.
"""

import argparse
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
TESTS = ["tests/unit_tests", "tests/frame_tests"]
REPLAYS = ["settings_reader", "command_line", "access_key", "button"]


def mutations():
    for number, line in enumerate((ROOT / "tests/mutation/mutations.txt").read_text().splitlines(), 1):
        body, _, comment = line.partition(" #")
        if not body.strip() or body.lstrip().startswith("#"):
            continue
        path, original, replacement = (part.strip().replace("\\n", "\n")
                                       for part in body.split(" | "))
        if replacement == "(nothing)":
            replacement = ""
        yield {"line": number, "file": path, "from": original, "to": replacement,
               "accepted": comment.strip().startswith("accepted:")}


def run(args, cwd, timeout):
    try:
        return subprocess.run(args, cwd=cwd, capture_output=True, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def tests_pass(build):
    for test in TESTS:
        if run([str(build / test)], build, 300) != 0:
            return False
    for replay in REPLAYS:
        if run([str(build / f"tests/{replay}_replay"), str(ROOT / f"tests/fuzz/corpus/{replay}")],
               build, 120) != 0:
            return False
    return True


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=str(ROOT / "build/mutation"))
    ap.add_argument("--only", help="only the faults whose line contains this text")
    args = ap.parse_args()
    build = Path(args.build).resolve()
    source = build / "src"
    # A copy of the tracked tree: the working tree is never touched.
    files = subprocess.run(["git", "ls-files"], cwd=ROOT, capture_output=True, text=True,
                           check=True).stdout.split()
    for f in files:
        (source / f).parent.mkdir(parents=True, exist_ok=True)
        if not (source / f).exists() or (source / f).read_bytes() != (ROOT / f).read_bytes():
            shutil.copy2(ROOT / f, source / f)
    if not (build / "build.ninja").exists():
        subprocess.run(["cmake", "-S", str(source), "-B", str(build), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release", "-DORVELLE_SANITIZE=OFF",
                        "-DORVELLE_BENCHMARKS=OFF"], check=True, stdout=subprocess.DEVNULL)
    targets = ["unit_tests", "frame_tests"] + [f"{r}_replay" for r in REPLAYS]
    if run(["cmake", "--build", ".", "--target", *targets], build, 1200) != 0 or not tests_pass(build):
        sys.exit("the unmutated tests do not pass")

    faults = [m for m in mutations() if not args.only or args.only in m["from"] + m["file"]]
    caught, survivors, unexpected = 0, [], []
    for m in faults:
        path = source / m["file"]
        text = path.read_text()
        if text.count(m["from"]) != 1:
            sys.exit(f"mutations.txt:{m['line']}: {m['from']!r} is not in {m['file']} exactly once")
        started = time.time()
        path.write_text(text.replace(m["from"], m["to"]))
        try:
            built = run(["cmake", "--build", ".", "--target", *targets], build, 1200) == 0
            killed = not built or not tests_pass(build)
        finally:
            path.write_text(text)
            # Keep the build's view of the file's time ahead of the mutant's.
            path.touch()
        if not built:
            unexpected.append(f"mutations.txt:{m['line']}: does not compile")
        if killed:
            caught += 1
        else:
            survivors.append(m)
            if not m["accepted"]:
                unexpected.append(f"mutations.txt:{m['line']}: survived: {m['file']}: "
                                  f"{m['from']!r} -> {m['to']!r}")
        print(f"{'caught ' if killed else 'SURVIVED'} {time.time() - started:5.1f}s "
              f"{m['file']}: {m['from']} -> {m['to']}", flush=True)
    run(["cmake", "--build", ".", "--target", *targets], build, 1200)
    share = caught / len(faults) if faults else 1.0
    print(f"\n{caught} of {len(faults)} faults caught ({share:.0%}); {len(survivors)} survived")
    for s in survivors:
        print(f"  survivor (line {s['line']}{', accepted' if s['accepted'] else ''}): "
              f"{s['file']}: {s['from']} -> {s['to']}")
    for problem in unexpected:
        print(problem)
    sys.exit(0 if share >= 0.9 and not unexpected else 1)


if __name__ == "__main__":
    main()
