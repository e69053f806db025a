#!/usr/bin/env python3
"""The formula engine side by side with the calculators a user would pick instead.

One run measures, per function, the cost of one evaluation at 100 integer and 100
fraction digits in `pemu-calc formula --batch`, `bc -l` (scale=105), `qalc` (precision
110) and mpmath (110 digits, in this process), each on the same varied arguments, and
prints the medians over repeats with the ratios to pemu-calc. Costs are processor time
(user + system) of the process doing the work, so that a loaded machine or a tool that
sleeps between lines (qalc waits for each result on a timer) does not count; for the
processes the cost of a run with one formula is taken off. It also measures the square root of a
200-character operand (`pemu-calc arith --batch` against Python's decimal module), the
growth of each function's cost from 20 to 100 fraction digits, and checks the digits: for
random arguments of every function the answer must equal mpmath's value at 250 digits cut
(not rounded) after the 100 shown fraction digits.

usage: compare_peers.py PEMU_CALC [--evaluations N] [--repeats R] [--check N] [--seed S]
"""
import argparse
import decimal
import random
import resource
import shutil
import statistics
import subprocess
import sys
import time

import mpmath
from mpmath import mp, mpf

SHOWN = 100  # fraction digits shown, and integer digits allowed

# name: (formula in pemu-calc, in bc, in qalc, mpmath function, argument range)
FUNCTIONS = {
    "sin": ("sin({x})", "s({x})", "sin({x})", mpmath.sin, (-6, 6)),
    "cos": ("cos({x})", "c({x})", "cos({x})", mpmath.cos, (-6, 6)),
    "tan": ("tan({x})", "s({x})/c({x})", "tan({x})", mpmath.tan, (-1.5, 1.5)),
    "asin": ("asin({x})", "a({x}/sqrt(1-({x})^2))", "asin({x})", mpmath.asin, (-0.99, 0.99)),
    "atan": ("atan({x})", "a({x})", "atan({x})", mpmath.atan, (-20, 20)),
    "exp": ("exp({x})", "e({x})", "exp({x})", mpmath.exp, (-20, 20)),
    "ln": ("ln({x})", "l({x})", "ln({x})", mpmath.ln, (0.001, 100000)),
    "log": ("log({x})", "l({x})/l(10)", "log10({x})", mpmath.log10, (0.001, 100000)),
    "sinh": ("sinh({x})", "(e({x})-e(-({x})))/2", "sinh({x})", mpmath.sinh, (-10, 10)),
    "tanh": ("tanh({x})", "(e({x})-e(-({x})))/(e({x})+e(-({x})))", "tanh({x})", mpmath.tanh,
             (-5, 5)),
    "sqrt": ("sqrt({x})", "sqrt({x})", "sqrt({x})", mpmath.sqrt, (0, 1000)),
    "pow": ("{b}^{x}", "e({x}*l({b}))", "{b}^{x}", None, (-8, 8)),
}


def argument(rng, low, high, digits):
    text = f"{rng.uniform(low, high):.{digits}f}"
    return text.rstrip("0").rstrip(".") if "." in text else text


def cases_for(name, count, rng, digits=(2, 3, 4, 5)):
    low, high = FUNCTIONS[name][4]
    out = []
    for _ in range(count):
        x = argument(rng, low, high, rng.choice(digits))
        b = argument(rng, 0.5, 40, rng.choice([0, 1, 2, 3])) if name == "pow" else None
        if b in ("0", "1"):
            b = "2.5"
        out.append((x, b))
    return out


def formulas(name, cases, column):
    return [FUNCTIONS[name][column].format(x=x, b=b) for x, b in cases]


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def timed(command, text):
    """Processor seconds of one run of command with text on its input."""
    start = children_cpu()
    subprocess.run(command, input=text, capture_output=True, text=True, check=True)
    return children_cpu() - start


def process_cost(command, lines, repeats, wrap=lambda lines: "".join(l + "\n" for l in lines)):
    """Seconds per line: a run with all lines less a run with one, median over repeats."""
    full = wrap(lines)
    one = wrap(lines[:1])
    costs = []
    for _ in range(repeats):
        costs.append((timed(command, full) - timed(command, one)) / (len(lines) - 1))
    return statistics.median(costs)


def bc_program(lines):
    return "scale=105\n" + "".join(l + "\n" for l in lines) + "quit\n"


def mpmath_cost(name, cases, repeats):
    """Seconds per evaluation at 110 digits: reading the arguments, computing and writing
    the text as pemu-calc does, and the computing alone."""
    function = FUNCTIONS[name][3]
    mp.dps = 110
    if name == "pow":
        function = mpmath.power
    whole = []
    alone = []
    for _ in range(repeats):
        start = time.process_time()
        for x, b in cases:
            value = function(mpf(b), mpf(x)) if name == "pow" else function(mpf(x))
            mpmath.nstr(value, 110)
        whole.append((time.process_time() - start) / len(cases))
        operands = [(mpf(x), mpf(b) if b else None) for x, b in cases]
        start = time.process_time()
        for x, b in operands:
            if name == "pow":
                function(b, x)
            else:
                function(x)
        alone.append((time.process_time() - start) / len(cases))
    return statistics.median(whole), statistics.median(alone)


def pemu_command(calc, frac):
    return [calc, "formula", "--batch", "--int", str(SHOWN), "--frac", str(frac)]


def exact_cut(value, frac):
    """value cut toward zero after frac digits, canonical; None too near a boundary to
    tell at the working digits. A value on a boundary to within all but the last 40
    working digits is that decimal (cos 0, 4^0.5)."""
    scaled = abs(value) * mpmath.power(10, frac)
    whole = int(mpmath.floor(scaled))
    nearest = int(mpmath.nint(scaled))
    magnitude = max(0, int(mpmath.log10(scaled + 1)))
    if abs(scaled - nearest) < mpmath.mpf(10) ** -(mp.dps - 40 - magnitude):
        whole = nearest
    elif min(scaled - whole, whole + 1 - scaled) < mpmath.mpf(10) ** -(mp.dps - 150 - magnitude):
        return None
    text = str(whole).rjust(frac + 1, "0")
    integer, fraction = text[:-frac], text[-frac:].rstrip("0")
    if whole == 0:
        return "0"
    return ("-" if value < 0 else "") + integer + ("." + fraction if fraction else "")


def reference(name, x, b):
    return mpmath.power(mpf(b), mpf(x)) if name == "pow" else FUNCTIONS[name][3](mpf(x))


def check_digits(calc, count, rng):
    """Per function: answers checked, answers that are not the exact cut, undecidable."""
    report = {}
    for name in FUNCTIONS:
        cases = cases_for(name, count, rng, digits=(1, 3, 6, 12, 20, 30))
        answers = subprocess.run(pemu_command(calc, SHOWN),
                                 input="".join(f + "\n" for f in formulas(name, cases, 0)),
                                 capture_output=True, text=True, check=True).stdout.splitlines()
        wrong = 0
        undecided = 0
        examples = []
        for (x, b), got in zip(cases, answers):
            mp.dps = 250
            want = exact_cut(reference(name, x, b), SHOWN)
            if want is None:  # once more with twice the digits
                mp.dps = 500
                want = exact_cut(reference(name, x, b), SHOWN)
            if want is None:
                undecided += 1
                continue
            shown = got.rstrip("0").rstrip(".") if "." in got else got
            if shown != want:
                wrong += 1
                if len(examples) < 3:
                    examples.append(f"{formulas(name, [(x, b)], 0)[0]}: {got} != {want}")
        report[name] = (len(cases), wrong, undecided, examples)
    return report


def sqrt_costs(calc, repeats, rng):
    """The square root of 200-character operands at 105 fraction digits, per operation:
    pemu-calc arith --batch against Python's decimal cut the same way."""
    operands = []
    for _ in range(2000):
        whole = str(rng.randint(10 ** 99, 10 ** 100 - 1))
        operands.append(whole + "." + "".join(rng.choice("0123456789") for _ in range(99)))
    lines = [f"sqrt {a} - 0 105 105" for a in operands] * 5
    pemu = process_cost([calc, "arith", "--batch"], lines, repeats)
    # The root has 50 integer and 105 fraction digits: a few more are computed and cut.
    context = decimal.Context(prec=160, rounding=decimal.ROUND_DOWN)
    unit = decimal.Decimal(1).scaleb(-105)
    costs = []
    for _ in range(repeats):
        start = time.process_time()
        for a in operands:
            context.quantize(context.sqrt(decimal.Decimal(a)), unit)
        costs.append((time.process_time() - start) / len(operands))
    return pemu, statistics.median(costs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("calc")
    parser.add_argument("--evaluations", type=int, default=1000)
    parser.add_argument("--repeats", type=int, default=5)
    parser.add_argument("--check", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    for tool in ("bc", "qalc"):
        if shutil.which(tool) is None:
            sys.exit(f"compare_peers: {tool} is not installed (bash scripts/bootstrap.sh --bench)")
    rng = random.Random(args.seed)
    qalc = ["qalc", "-t", "-set", "precision 110", "-set", "angle rad", "-set",
            "approximation approximate", "-f", "-"]

    print(f"processor time per evaluation, {SHOWN} integer / {SHOWN} fraction digits, "
          f"{args.evaluations} varied arguments per function (bc 200, qalc 100), median of "
          f"{args.repeats} runs (qalc 3); 20->100: pemu-calc's cost at 100 fraction digits "
          f"over its cost at 20")
    print("mpmath: reading, computing, writing the text; mpmath f(): the computing alone")
    print(f"{'function':9}{'pemu-calc':>11}{'bc -l':>11}{'qalc':>11}{'mpmath':>11}"
          f"{'mpmath f()':>11}{'bc/pemu':>9}{'qalc/pemu':>10}{'mpm/pemu':>10}{'f()/pemu':>10}"
          f"{'20->100':>9}")
    totals = {"pemu": 0.0, "bc": 0.0, "qalc": 0.0, "mpmath": 0.0, "alone": 0.0}
    for name in FUNCTIONS:
        cases = cases_for(name, args.evaluations, rng)
        # pemu-calc runs each formula five times over, so that a run lasts long enough to
        # be measured; bc and qalc take a few milliseconds per formula and get fewer.
        pemu = process_cost(pemu_command(args.calc, SHOWN), formulas(name, cases, 0) * 5,
                            args.repeats)
        pemu20 = process_cost(pemu_command(args.calc, 20), formulas(name, cases, 0) * 5,
                              args.repeats)
        bc = process_cost(["bc", "-l"], formulas(name, cases[:200], 1), args.repeats,
                          bc_program)
        qc = process_cost(qalc, formulas(name, cases[:100], 2), 3)
        mm, alone = mpmath_cost(name, cases, args.repeats)
        for key, value in (("pemu", pemu), ("bc", bc), ("qalc", qc), ("mpmath", mm),
                           ("alone", alone)):
            totals[key] += value
        print(f"{name:9}{pemu * 1e6:9.1f}us{bc * 1e6:9.1f}us{qc * 1e6:9.1f}us{mm * 1e6:9.1f}us"
              f"{alone * 1e6:9.1f}us{bc / pemu:8.1f}x{qc / pemu:9.1f}x{mm / pemu:9.1f}x"
              f"{alone / pemu:9.1f}x{pemu / pemu20:8.1f}x")
    n = len(FUNCTIONS)
    t = {key: value / n for key, value in totals.items()}
    print(f"{'mix':9}{t['pemu'] * 1e6:9.1f}us{t['bc'] * 1e6:9.1f}us{t['qalc'] * 1e6:9.1f}us"
          f"{t['mpmath'] * 1e6:9.1f}us{t['alone'] * 1e6:9.1f}us{t['bc'] / t['pemu']:8.1f}x"
          f"{t['qalc'] / t['pemu']:9.1f}x{t['mpmath'] / t['pemu']:9.1f}x"
          f"{t['alone'] / t['pemu']:9.1f}x")

    pemu, python = sqrt_costs(args.calc, args.repeats, rng)
    print(f"\nsquare root of a 200-character operand at F = 105: pemu-calc arith "
          f"{pemu * 1e6:.1f}us, Python decimal {python * 1e6:.1f}us "
          f"(pemu / decimal {pemu / python:.2f})")

    print(f"\ndigits: {args.check} random arguments per function, pemu-calc at "
          f"{SHOWN}/{SHOWN} against mpmath at 250 digits cut after {SHOWN}")
    failures = 0
    for name, (checked, wrong, undecided, examples) in check_digits(
            args.calc, args.check, rng).items():
        print(f"  {name:6} {checked} checked, {wrong} not the exact cut"
              + (f", {undecided} too near a boundary for the reference" if undecided else ""))
        for example in examples:
            print(f"         {example}")
        failures += wrong
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
