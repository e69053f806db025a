#!/usr/bin/env python3
"""Every function of pemu-calc against mpmath, to the last digit.

Random arguments of every function (short and long ones, large and tiny, near the points
where a function turns or overflows) at several precisions, through `pemu-calc arith
--batch` and, at two of the formula window's settings, through `pemu-calc formula --batch`.
Each result must be the exact value cut (never rounded) after the fraction digits: the
reference is mpmath at far more digits; where it cannot tell the cut from a boundary it
works again with more, and a value that stays on the boundary is taken to be that decimal.

usage: differential_test.py PATH-TO-pemu-calc [--seed S] [--count N]
Exit status 0 when every result agrees, 1 otherwise, 77 when mpmath is not installed.
"""
import argparse
import random
import subprocess
import sys

import os

try:
    import mpmath
    from mpmath import mp, mpf
except ImportError:
    # The bootstrap installs python3-mpmath for the system's python3; another python3
    # found first on the path may not have it.
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != \
            os.path.realpath("/usr/bin/python3"):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    print("mpmath is not installed: skipped (scripts/bootstrap.sh installs python3-mpmath)")
    sys.exit(77)

# (I, F) pairs the functions run at; the formula window adds five to its own settings.
PRECISIONS = [(20, 1), (6, 7), (20, 20), (25, 55), (105, 105)]
FORMULA_SETTINGS = [(20, 20), (100, 100)]


def with_cut_fraction(text, frac):
    """An argument as the operations read it: fraction cut after frac digits."""
    if "." not in text:
        return text
    whole, fraction = text.split(".")
    fraction = fraction[:frac]
    return whole + ("." + fraction if fraction else "")


def reference(name, args):
    x = [mpf(a) for a in args]
    table = {
        "exp": lambda: mpmath.exp(x[0]),
        "ln": lambda: mpmath.ln(x[0]),
        "log10": lambda: mpmath.log10(x[0]),
        "sin": lambda: mpmath.sin(x[0]),
        "cos": lambda: mpmath.cos(x[0]),
        "tan": lambda: mpmath.tan(x[0]),
        "asin": lambda: mpmath.asin(x[0]),
        "acos": lambda: mpmath.acos(x[0]),
        "atan": lambda: mpmath.atan(x[0]),
        "sinh": lambda: mpmath.sinh(x[0]),
        "cosh": lambda: mpmath.cosh(x[0]),
        "tanh": lambda: mpmath.tanh(x[0]),
        "sqrt": lambda: mpmath.sqrt(x[0]),
        "pow": lambda: mpmath.power(x[0], x[1]),
    }
    return table[name]()


def cut_text(value, frac, int_digits, digits):
    """value cut toward zero after frac digits, as text; None when the reference value at
    `digits` significant digits lies too near a cut boundary to tell."""
    scaled = value * mpmath.power(10, frac)
    whole = int(mpmath.floor(abs(scaled)))
    rest = abs(scaled) - whole
    margin = mpmath.power(10, -(digits - 25 - max(0, int(mpmath.log10(abs(scaled) + 1)))))
    if rest < margin or 1 - rest < margin:
        return None
    return format_cut(whole, value < 0, frac, int_digits)


def format_cut(whole, negative, frac, int_digits):
    text = str(whole).rjust(frac + 1, "0")
    integer, fraction = text[: len(text) - frac], text[len(text) - frac:]
    if len(integer.lstrip("0")) > 2 * int_digits:
        return "EF"
    fraction = fraction.rstrip("0")
    if int(text) == 0:
        return "0"
    return ("-" if negative else "") + integer + ("." + fraction if fraction else "")


def expected(name, args, frac, int_digits):
    """The exact cut; a value that stays on a boundary at 400 more digits is that decimal."""
    for extra in (60, 150, 400):
        mp.dps = frac + extra + 20
        value = reference(name, args)
        text = cut_text(value, frac, int_digits, mp.dps)
        if text is not None:
            return text
    scaled = value * mpmath.power(10, frac)
    return format_cut(int(mpmath.nint(abs(scaled))), value < 0, frac, int_digits)


def normalise(text):
    """Results may keep zeros at the end of the cut fraction; the value is what counts."""
    if "." in text and text[0] != "E" and text[0] != "[":
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def number(rng, low, high, digits):
    """A canonical decimal, as the formula window hands them on (no zeros at the end)."""
    text = f"{rng.uniform(low, high):.{digits}f}"
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def long_number(rng, int_digits, frac_digits, negative=False):
    whole = str(rng.randint(0, 10 ** int_digits - 1)) if int_digits else "0"
    fraction = "".join(rng.choice("0123456789") for _ in range(frac_digits))
    return ("-" if negative else "") + whole + ("." + fraction if frac_digits else "")


def arguments(rng, name, frac):
    """A random argument for the function, of few or many digits."""
    digits = rng.choice([0, 1, 3, 6, 12, 30, frac])
    pick = {
        "exp": lambda: number(rng, -60, 60, digits),
        "ln": lambda: number(rng, 0.0001, 10 ** rng.randint(0, 30), digits),
        "log10": lambda: number(rng, 0.0001, 10 ** rng.randint(0, 30), digits),
        "sin": lambda: number(rng, -10 ** rng.randint(0, 12), 10 ** rng.randint(0, 12), digits),
        "cos": lambda: number(rng, -10 ** rng.randint(0, 12), 10 ** rng.randint(0, 12), digits),
        "tan": lambda: number(rng, -10, 10, digits),
        "asin": lambda: number(rng, -0.999999, 0.999999, digits),
        "acos": lambda: number(rng, -0.999999, 0.999999, digits),
        "atan": lambda: number(rng, -10 ** rng.randint(0, 20), 10 ** rng.randint(0, 20), digits),
        "sinh": lambda: number(rng, -40, 40, digits),
        "cosh": lambda: number(rng, -40, 40, digits),
        "tanh": lambda: number(rng, -30, 30, digits),
        "sqrt": lambda: number(rng, 0, 10 ** rng.randint(0, 30), digits),
    }
    if name == "pow":
        return [number(rng, 0.001, 60, rng.choice([0, 1, 3, 8])),
                number(rng, -25, 25, rng.choice([0, 1, 2, 3, 6]))]
    return [pick[name]()]


def special_cases(frac):
    """Arguments near turning points, boundaries and exact values."""
    near_half_pi = str(mpmath.nstr(+mpmath.pi / 2, frac + 15, strip_zeros=False))
    cases = [
        ("pow", ["3", "2.760"]), ("pow", ["4", "0.5"]), ("pow", ["1.44", "1.5"]),
        ("pow", ["0.0625", "-0.25"]), ("pow", ["2", "-50"]), ("pow", ["1.5", "-3"]),
        ("pow", ["10", "0.5"]), ("pow", ["7", "1.75"]), ("pow", ["2.25", "0.5"]),
        ("pow", ["1.000001", "99.9"]), ("pow", ["0.999", "-100"]),
        ("log10", ["1000"]), ("log10", ["0.001"]), ("ln", ["1"]), ("ln", ["1.0000001"]),
        ("tan", [near_half_pi]), ("tan", ["-" + near_half_pi]), ("cos", [near_half_pi]),
        ("sin", [str(mpmath.nstr(+mpmath.pi, frac + 15, strip_zeros=False))]),
        ("atan", ["1"]), ("atan", ["-1"]), ("asin", ["0.5"]), ("acos", ["-0.5"]),
        ("asin", ["0." + "9" * max(frac, 1)]), ("acos", ["0." + "9" * max(frac, 1)]),
        ("exp", ["0.0000000001"]), ("tanh", ["0.000001"]), ("sinh", ["-0.0000001"]),
        ("sqrt", ["0.25"]), ("sqrt", ["2"]), ("cosh", ["0"]),
    ]
    return cases


def run_batch(calc, lines, command):
    done = subprocess.run([calc] + command + ["--batch"], input="".join(lines),
                          capture_output=True, text=True, check=True)
    return done.stdout.splitlines()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("calc")
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--count", type=int, default=24, help="random cases per function")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    names = ["exp", "ln", "log10", "sin", "cos", "tan", "asin", "acos", "atan", "sinh",
             "cosh", "tanh", "sqrt", "pow"]

    cases = []  # (name, arguments as given, I, F)
    for int_digits, frac in PRECISIONS:
        for name in names:
            for _ in range(args.count):
                cases.append((name, arguments(rng, name, frac), int_digits, frac))
        for name, operands in special_cases(frac):
            cases.append((name, operands, int_digits, frac))
    lines = [f"{n} {a[0]} {a[1] if len(a) > 1 else '-'} 0 {i} {f}\n" for n, a, i, f in cases]
    results = run_batch(args.calc, lines, ["arith"])

    failures = 0
    checked = 0
    for (name, operands, int_digits, frac), got in zip(cases, results):
        got = got.split("\t")[0]
        cut = [with_cut_fraction(o, frac) for o in operands]
        if name == "pow" and mpf(cut[0]) == 0:
            continue
        if any(len(o.lstrip("-").split(".")[0].lstrip("0")) > 2 * int_digits for o in cut):
            want = "EF"  # an operand wider than the integer digits
        elif name in ("ln", "log10") and mpf(cut[0]) == 0:
            want = "E825"  # nothing left of the argument within the fraction digits
        else:
            want = expected(name, cut, frac, int_digits)
        checked += 1
        if normalise(got) != want:
            failures += 1
            print(f"MISMATCH {name}({', '.join(operands)}) at I={int_digits} F={frac}:\n"
                  f"  pemu   {got}\n  exact  {want}")

    # The formula window: functions at Y + 5 digits, the answer cut to Y.
    formula_names = {"log10": "log", "pow": None}
    for int_digits, frac in FORMULA_SETTINGS:
        batch = []
        for name in names:
            for _ in range(max(4, args.count // 4)):
                operands = arguments(rng, name, frac)
                if name == "pow":
                    text = f"{operands[0]}^({operands[1]})"
                else:
                    text = f"{formula_names.get(name, name)}({operands[0]})"
                batch.append((name, operands, text))
        answers = run_batch(args.calc, [t + "\n" for _, _, t in batch],
                            ["formula", "--int", str(int_digits), "--frac", str(frac)])
        for (name, operands, text), got in zip(batch, answers):
            cut = [with_cut_fraction(o, frac + 5) for o in operands]
            if name in ("ln", "log10", "pow") and mpf(cut[0]) == 0:
                continue  # a message, checked by the golden cases
            want = expected(name, cut, frac, int_digits + 5)
            if want != "EF" and len(want.lstrip("-").split(".")[0]) > int_digits:
                continue  # beyond the integer digits shown: a message, not an answer
            checked += 1
            if normalise(got) != want:
                failures += 1
                print(f"MISMATCH formula {text} at S={int_digits} Y={frac}:\n"
                      f"  pemu   {got}\n  exact  {want}")

    print(f"{checked} results compared with mpmath, {failures} not the exact cut")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
