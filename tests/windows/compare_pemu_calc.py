#!/usr/bin/env python3
"""pemu-calc.exe under Wine against the Linux pemu-calc: the same commands, the same bytes.

  compare_pemu_calc.py LINUX_PEMU_CALC WINDOWS_PEMU_CALC_EXE [--wine RUNNER]

Every case of the golden key and tape-correction files is keyed through `keys --tape` and
`keys --tape-csv`, every formula of the golden formula files through `formula --batch` at
its settings, and a fixed set of decimal operations through `arith --batch`. Standard
output and the exit status must agree exactly; standard error is not compared (Wine writes
its own notes there). Exits 1 on a difference, with the first lines where they part.
"""
import argparse
import pathlib
import random
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
KEY_FOLDERS = [ROOT / "tests/golden/keys", ROOT / "tests/golden/corrections"]
FORMULA_FOLDER = ROOT / "tests/formula/cases"
# Rows of a golden key file that are no key: the tape comparison and the case options.
NOT_A_KEY = {"tape", "options", "case"}


def key_cases(path):
    """(name, options, tokens) for every case of one golden key file."""
    options, cases, current = [], [], None
    for raw in path.read_text(encoding="utf-8").splitlines():
        line = raw.split(" #")[0].strip() if not raw.lstrip().startswith("#") else ""
        if not line:
            continue
        words = line.split()
        if words[0] == "options":
            options = words[1:]
        elif words[0] == "case":
            current = (f"{path.name}: {line}", list(options), [])
            cases.append(current)
        elif current is None:
            continue
        elif words[0] == "keys":
            current[2].extend(words[1:])
        elif words[0] not in NOT_A_KEY:
            current[2].append(words[0])
    return [c for c in cases if c[2]]


def formula_batches(path):
    """(name, settings, formulas) per settings block of one golden formula file."""
    batches, settings, formulas = [], ["56", "28", "0"], []
    for raw in path.read_text(encoding="utf-8").splitlines():
        if raw.startswith("#") or " → " not in raw and not raw.startswith("settings "):
            continue
        if raw.startswith("settings "):
            if formulas:
                batches.append((f"{path.name} settings {' '.join(settings)}", settings, formulas))
            settings, formulas = raw.split()[1:4], []
        else:
            formulas.append(raw.split(" → ")[0])
    if formulas:
        batches.append((f"{path.name} settings {' '.join(settings)}", settings, formulas))
    return batches


def arith_batch():
    """A fixed mix of operations with awkward operands: long, signed, tiny, huge."""
    rng = random.Random(20261211)
    ops2 = ["add", "sub", "mul", "div", "pow"]
    ops1 = ["sqrt", "exp", "ln", "log10", "sin", "cos", "tan", "atan", "sinh", "fabs", "ceil"]

    def number():
        digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 30)))
        point = rng.randint(0, len(digits))
        text = (digits[:point] or "0") + ("." + digits[point:] if digits[point:] else "")
        return ("-" if rng.random() < 0.3 else "") + text

    lines = []
    for _ in range(300):
        if rng.random() < 0.6:
            op, b = rng.choice(ops2), number()
        else:
            op, b = rng.choice(ops1), "-"
        a = number()
        if op in ("exp", "sinh", "pow"):
            a = a[:4]  # keep the results inside the range
        if op == "pow":
            b = str(rng.randint(-5, 12))
        limit = rng.choice(["0", "0", "12"]) if op in ("add", "sub") else "0"
        lines.append(f"{op} {a} {b} {limit} {rng.randint(1, 60)} {rng.randint(1, 60)}")
    lines.append("div 1 0 0 20 20")
    lines.append("sqrt -4 - 0 20 20")
    lines.append("nonsense 1 2 0 20 20")
    return "\n".join(lines) + "\n"


# The date line of a tape (--date) holds the clock, which may tick between the two runs.
CLOCK = re.compile(rb"\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\]")


def run(command, stdin=b""):
    done = subprocess.run(command, input=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          timeout=120)
    return done.returncode, CLOCK.sub(b"[clock]", done.stdout)


def first_difference(a, b):
    la, lb = a.decode("utf-8", "replace").split("\n"), b.decode("utf-8", "replace").split("\n")
    for i, (x, y) in enumerate(zip(la, lb)):
        if x != y:
            return f"line {i + 1}:\n    linux:   {x!r}\n    windows: {y!r}"
    return f"line {min(len(la), len(lb)) + 1}: one output is longer ({len(la)} / {len(lb)} lines)"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("linux")
    parser.add_argument("windows")
    parser.add_argument("--wine", default=str(ROOT / "scripts/windows/wine-run.sh"))
    args = parser.parse_args()
    linux, windows = [args.linux], [args.wine, args.windows]

    jobs = []  # (name, arguments, stdin)
    for folder in KEY_FOLDERS:
        for path in sorted(folder.glob("*.txt")):
            for name, options, tokens in key_cases(path):
                jobs.append((name, ["keys", *options, "--tape", "--", *tokens], b""))
                jobs.append((name + " (csv)", ["keys", *options, "--tape-csv", "--", *tokens], b""))
    for path in sorted(FORMULA_FOLDER.glob("*.txt")):
        for name, (s, y, g), formulas in formula_batches(path):
            stdin = ("\n".join(formulas) + "\n").encode("utf-8")
            jobs.append((name, ["formula", "--int", s, "--frac", y, "--group", g, "--batch"], stdin))
    jobs.append(("arith batch", ["arith", "--batch"], arith_batch().encode()))
    jobs.append(("formula window", ["formula", "--window", "40", "2*/3"], b""))
    jobs.append(("formula in full-width digits", ["formula", "（１＋２）×３"], b""))
    jobs.append(("usage error", ["keys", "--digits", "99", "--", "1"], b""))

    failures = 0
    for name, arguments, stdin in jobs:
        expected = run(linux + arguments, stdin)
        got = run(windows + arguments, stdin)
        if expected == got:
            continue
        failures += 1
        print(f"DIFFERENT {name}: {' '.join(arguments)}")
        if expected[0] != got[0]:
            print(f"    exit status: linux {expected[0]}, windows {got[0]}")
        if expected[1] != got[1]:
            print("    " + first_difference(expected[1], got[1]))
    print(f"compare_pemu_calc: {len(jobs) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
