#!/usr/bin/env python3
"""Whole-process comparison of `pemu-calc arith --batch` with Python's decimal module.

Generates random add/sub/mul/div lines at a chosen precision, runs them through pemu-calc
once, checks every result against decimal arithmetic truncated the same way (operands and
results cut, never rounded, after F fraction digits), and prints both timings.

usage: compare_decimal.py PEMU_CALC [--lines N] [--digits D] [--int I] [--frac F] [--seed S]
"""
import argparse
import decimal
import random
import subprocess
import sys
import time


def operand(rng, digits):
    text = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, digits)))
    if rng.random() < 0.6:
        text += "." + "".join(rng.choice("0123456789") for _ in range(rng.randint(1, digits)))
    return ("-" if rng.random() < 0.4 else "") + text


def cut(value, frac):
    return value.quantize(decimal.Decimal(1).scaleb(-frac), rounding=decimal.ROUND_DOWN)


def expected(op, a, b, frac):
    a, b = cut(decimal.Decimal(a), frac), cut(decimal.Decimal(b), frac)
    if op == "div":
        return None if b == 0 else cut(a / b, frac)
    return cut({"add": a + b, "sub": a - b, "mul": a * b}[op], frac)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pemu_calc")
    parser.add_argument("--lines", type=int, default=20000)
    parser.add_argument("--digits", type=int, default=15)
    parser.add_argument("--int", dest="int_digits", type=int, default=20)
    parser.add_argument("--frac", type=int, default=20)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    decimal.getcontext().prec = 4 * (args.int_digits + args.frac) + 10
    rng = random.Random(args.seed)
    cases = [(rng.choice(["add", "sub", "mul", "div"]), operand(rng, args.digits),
              operand(rng, args.digits)) for _ in range(args.lines)]
    batch = "".join(f"{op} {a} {b} 0 {args.int_digits} {args.frac}\n" for op, a, b in cases)

    start = time.perf_counter()
    run = subprocess.run([args.pemu_calc, "arith", "--batch"], input=batch.encode(),
                         capture_output=True, check=True)
    pemu_seconds = time.perf_counter() - start
    results = run.stdout.decode().splitlines()

    start = time.perf_counter()
    wanted = [expected(op, a, b, args.frac) for op, a, b in cases]
    python_seconds = time.perf_counter() - start

    limit = 2 * args.int_digits
    mismatches = 0
    for (op, a, b), got, want in zip(cases, results, wanted):
        value = got.split("\t")[0]
        if want is None:
            ok = got == "0\tdivide"
        elif len(str(abs(want)).split(".")[0]) > limit:
            ok = value == "EF"
        else:
            ok = value != "EF" and decimal.Decimal(value) == want
        if not ok:
            mismatches += 1
            if mismatches <= 5:
                print(f"mismatch: {op} {a} {b}: pemu {got!r}, decimal {want}", file=sys.stderr)
    print(f"{len(cases)} lines: pemu-calc {pemu_seconds * 1000:.1f} ms (whole process), "
          f"python decimal {python_seconds * 1000:.1f} ms; {mismatches} mismatches")
    return 1 if mismatches or len(results) != len(cases) else 0


if __name__ == "__main__":
    sys.exit(main())
