#!/usr/bin/env python3
"""Results of = under every round and decimal selector, both families and three display
widths, compared with an independent model written with Python's decimal module.

Usage: rounding_model_test.py PEMU_CALC

The model: the exact product, or the quotient cut after 20 fraction digits; an overflow
beyond the display width's nines; the first dropped digit decides (CUT never, UP 1..9,
5/4 5..9) and the unit of the last kept place is added to the magnitude, on an addition
that takes part with at most the display width of lined-up digits; the cut to the width
with trailing zeros dropped; no sign on a zero; zeros padded up to the places but never
beyond the display edge.
"""
import random
import subprocess
import sys
from decimal import ROUND_DOWN, Decimal, getcontext

getcontext().prec = 100


def canonical(text):
    negative = text.startswith("-")
    digits = text.lstrip("-")
    if "." in digits:
        digits = digits.rstrip("0").rstrip(".")
    digits = digits.lstrip("0") or "0"
    if digits.startswith("."):
        digits = "0" + digits
    return "-" + digits if negative and digits != "0" else digits


def plain(value):
    return canonical(format(value, "f"))


def cut_to_width(text, width):
    if "." not in text:
        return text
    keep = width + 1 + (1 if text.startswith("-") else 0)
    if len(text) <= keep:
        return text
    return canonical(text[:keep])


def add_unit(kept, places, negative, width):
    unit = Decimal(1).scaleb(-places)
    integer = kept.lstrip("-").split(".")[0].lstrip("0") or "0"
    excess = len(integer) + places - width
    value = Decimal(kept)
    if excess > 0:  # the digits beyond the width take no part, the unit among them
        value = value.quantize(Decimal(1).scaleb(excess - places), rounding=ROUND_DOWN)
        unit = Decimal(0)
    return plain(value - unit if negative else value + unit)


def rounded(raw, places, round_name, width):
    integer, _, fraction = raw.partition(".")
    if len(fraction) > places:
        kept = integer + ("." + fraction[:places] if places else "")
        threshold = {"CUT": "9", "UP": "0", "5/4": "4"}[round_name]
        if fraction[places] > threshold:
            kept = add_unit(kept, places, raw.startswith("-"), width)
        raw = kept
    raw = cut_to_width(raw, width)
    return raw[1:] if raw.startswith("-") and set(raw[1:]) <= set("0.") else raw


def padding(text, places, width):
    room = width + text.startswith("-") + ("." in text)
    if len(text) >= room:
        return ""
    room -= len(text)
    if "." in text:
        n = min(places - (len(text) - text.index(".") - 1), room)
        return "0" * n if 1 <= n <= 5 else ""
    n = min(places, room)
    return "." + "0" * n if 1 <= n <= 5 else ""


def expected(left, op, right, round_name, decimal_name, width):
    if op == "*":
        raw = plain(Decimal(left) * Decimal(right))
    else:
        raw = plain((Decimal(left) / Decimal(right)).quantize(Decimal("1e-20"), ROUND_DOWN))
    if abs(Decimal(raw)) > Decimal("9" * width):
        return None
    if round_name == "F" or decimal_name == "F":
        return cut_to_width(raw, width)
    places = int(decimal_name)
    text = rounded(raw, places, round_name, width)
    return text + padding(text, places, width)


def operand(rng, width):
    text = str(rng.randint(1, 10 ** rng.randint(1, width) - 1))
    if rng.random() < 0.2:  # a leading 0 takes one of the display's digits
        return "0." + text[: width - 1]
    if rng.random() < 0.6 and len(text) > 1:
        at = rng.randint(1, len(text) - 1)
        text = text[:at] + "." + text[at:]
    return text


def main():
    calc = sys.argv[1]
    rng = random.Random(20261210)
    families = [("sharp", r, d) for r in ("CUT", "UP", "5/4") for d in "F012345"]
    families += [("casio", r, d) for r in ("F", "CUT", "UP", "5/4") for d in "012345"]
    cases = failures = 0
    for width in (8, 11, 14):
        for family, round_name, decimal_name in families:
            sums = []
            for _ in range(8):
                left, right = operand(rng, width), operand(rng, width)
                sums.append((left, rng.random() < 0.4, rng.choice("*/"), right))
            tokens = []
            for left, negative, op, right in sums:
                tokens += [left] + (["+/-"] if negative else []) + [op, right, "=", "C"]
            args = [calc, "keys", "--family", family, "--digits", str(width), "--round",
                    round_name, "--decimal", decimal_name, "--no-gt", "--"] + tokens
            run = subprocess.run(args, capture_output=True, text=True, check=True)
            results = [line.split("\t") for line in run.stdout.splitlines()
                       if line.startswith("=\t")]
            for (left, negative, op, right), shown in zip(sums, results):
                cases += 1
                left = "-" + left if negative else left
                want = expected(left, op, right, round_name, decimal_name, width)
                got = shown[1] if shown[3] == "0" else None
                if want != got:
                    failures += 1
                    print(f"FAIL {family} {width} digits, round {round_name}, decimal "
                          f"{decimal_name}: {left} {op} {right} = shows {shown[1]} "
                          f"(error {shown[3]}), expected {want}")
    print(f"{cases} results, {failures} wrong")
    return 1 if failures or cases == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
