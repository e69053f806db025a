#!/usr/bin/env python3
"""Tapes and logs as CSV, read back the way a spreadsheet user would: Python's csv module on
the bytes pemu-calc writes. Every line of the tape is one row, values are plain numbers, every
kind of line is named, and nothing is dropped.

Usage: tape_csv_test.py PEMU_CALC"""
import csv
import io
import os
import subprocess
import sys
import tempfile
from decimal import Decimal

PEMU_CALC = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(*args):
    done = subprocess.run([PEMU_CALC, *args], capture_output=True, check=False)
    if done.returncode != 0:
        raise SystemExit(f"pemu-calc {' '.join(args)} failed: {done.stderr.decode()}")
    return done.stdout


def rows_of(data):
    check(data.startswith(b"\xef\xbb\xbf"), "the CSV starts with a byte-order mark")
    check(b"\r\n" in data and b"\n" not in data.replace(b"\r\n", b""), "rows end with CR LF")
    rows = list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))
    check(rows[0] == ["line", "value", "kind", "mark", "text"], f"header row: {rows[0]}")
    body = rows[1:]
    for number, row in enumerate(body, start=1):
        check(len(row) == 5, f"row {number} has five fields: {row}")
        check(row[0] == str(number), f"rows are numbered from 1 in order: {row}")
        if row[1]:
            try:
                Decimal(row[1])
            except Exception:
                failures.append(f"value of row {number} is not a number: {row}")
            check("," not in row[1], f"no grouping in values: {row}")
    return body


def tape_csv(options, keys):
    return rows_of(run("keys", "--tape-csv", *options, "--", *keys))


def tape_text(options, keys):
    """The same tape as pemu-calc --tape prints it, one line per tape line."""
    out = run("keys", "--tape", *options, "--", *keys).decode()
    return out.split("--- tape\n", 1)[1].split("\n")[:-1]


def find(rows, kind, value=None, mark=None):
    return [r for r in rows if r[2] == kind and (value is None or r[1] == value)
            and (mark is None or r[3] == mark)]


KINDS = {"+", "-", "×", "÷", "=", "%", "M+", "M-", "result", "subtotal", "tax-base", "tax",
         "tax-result", "root", "memory", "GT", "note", "date", "clear", "error", "carried",
         "sign", "separator", "end", "other"}

# ---- One tape with every kind of line, both families ------------------------------------
sharp_keys = ["1234.5", "+", "500", "-", "200", "=", "12", "*", "3", "/", "4", "=", "GT",
              "9", "SQRT", "MR", "50", "M+", "30", "M-", "MC", "+/-", "C", "2", "+", "3",
              "%"]
sharp = tape_csv(["--family", "sharp", "--date"], sharp_keys)
text = tape_text(["--family", "sharp", "--date"], sharp_keys)
check(len(sharp) == len(text), f"one row per tape line: {len(sharp)} rows, {len(text)} lines")
for row, line in zip(sharp, text):
    # The two runs may stamp their date lines a second apart.
    check(row[4] == line or row[2] == "date", f"the text column is the line as it stands: {row} / {line!r}")
    check(row[2] in KINDS, f"a known kind name: {row}")
check(not find(sharp, "other"), f"no line of a recorded tape is unknown: {find(sharp, 'other')}")
check(find(sharp, "+", "1234.5"), "a grouped addend becomes a plain number")
check(find(sharp, "-", "500"), "the subtrahend keeps its own value; the kind says minus")
check(find(sharp, "=", "200"), "the last operand before =")
check(find(sharp, "result", "1534.5"), "the result")
check(find(sharp, "×", "12") and find(sharp, "÷", "3"), "times and divide")
check(find(sharp, "GT"), "the grand total recall")
check(find(sharp, "root", "9") and find(sharp, "root", "3"), "both root lines, reference mark")
check(all(r[3] == "reference" for r in find(sharp, "root")), "root lines carry the reference mark")
check(find(sharp, "memory"), "memory lines")
check(find(sharp, "M+", "50") and find(sharp, "M-", "30"), "M+ and M- steps")
check(find(sharp, "sign"), "the sign change line")
check(find(sharp, "clear"), "the C line")
check(find(sharp, "%"), "the percent step")
check(find(sharp, "date"), "the date line")
check(find(sharp, "separator"), "separator lines are rows too")

casio_keys = ["1000", "TAX+", "2000", "TAX-", "TAX-", "100", "-", "40", "=", "C", "CA"]
casio = tape_csv(["--family", "casio", "--rate", "0.1"], casio_keys)
check(find(casio, "tax-base", "1000"), "the tax base")
check(find(casio, "tax", "100"), "the added tax")
check(find(casio, "tax-result", "1100"), "the tax-included result")
check(find(casio, "tax", "-181.81818181818") or [r for r in find(casio, "tax") if r[1].startswith("-")],
      f"a deducted tax is negative: {find(casio, 'tax')}")
check(find(casio, "clear"), "the CASIO AC line and the CA line")

# ---- Corrections: corrected lines, notes, subtotals, carried-over start, errors ----------
corrected = tape_csv([], ["100", "+", "50", "=", "@change:2:70:="])
check(find(corrected, "=", "70", mark="corrected"), "the corrected line is marked so")
check(find(corrected, "result", "170"), "the new result")
check(find(corrected, "note"), "the notes of a recomputation")
carried = tape_csv([], ["5", "+", "3", "+", "@clear", "4", "="])
check(find(carried, "carried"), "the carried-over start after a clear of the tape")
subtotal = tape_csv([], ["100", "+", "50", "=", "@delete:2"])
check(find(subtotal, "subtotal", "100"), f"a subtotal after the = was deleted: {subtotal}")
errors = tape_csv([], ["99999999999999", "*", "9", "="])
check(find(errors, "error"), f"the overflow line: {errors}")
same = tape_csv([], ["1", "+", "2", "=", "1", "+", "2", "="])
check(find(same, "+", "1", mark="same"), "a step keyed twice is marked the same")

# ---- A calculation log of several runs with their end markers ----------------------------
runs = [tape_text([], ["1", "+", "2", "="]), tape_text([], ["5", "*", "5", "="])]
log = b""
for lines in runs:
    log += "".join(line + "\r\n" for line in lines).encode("cp932") + b" \r\nOn"
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "KenzanLog.txt")
    with open(path, "wb") as f:
        f.write(log)
    rows = rows_of(run("log-csv", path))
    check(len(find(rows, "end")) == 2, f"both run ends are rows: {find(rows, 'end')}")
    check(rows[-1][4] == "On", "the log's last line is its end marker")
    check(find(rows, "result", "3") and find(rows, "result", "25"), "the results of both runs")
    # Each run ends with a separator line and "On", which begins the next run's first line.
    check(len(rows) == sum(len(r) for r in runs) + 3, "one row per line of the log")
    empty = os.path.join(folder, "empty.txt")
    open(empty, "wb").close()
    check(rows_of(run("log-csv", empty)) == [], "an empty log gives the header alone")
    missing = subprocess.run([PEMU_CALC, "log-csv", os.path.join(folder, "none.txt")],
                             capture_output=True, check=False)
    check(missing.returncode == 1 and b"cannot read" in missing.stderr,
          "a missing log is an error with a message")
    unknown = os.path.join(folder, "odd.txt")
    with open(unknown, "wb") as f:
        f.write(b"hello, \"world\"\r\n")
    odd = rows_of(run("log-csv", unknown))
    check(odd[0][2] == "other" and odd[0][4] == 'hello, "world"',
          f"an unknown line is kept as other, quoted where needed: {odd}")

if failures:
    print("\n".join("FAIL: " + f for f in failures))
    sys.exit(1)
print(f"tape CSV: {len(sharp) + len(casio)} tape rows and a two-run log read back")
