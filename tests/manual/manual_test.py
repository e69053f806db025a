#!/usr/bin/env python3
"""The user's manual: every page the program's help items name exists, every link and
anchor in the pages leads somewhere, the pages are plain (UTF-8, relative links, no
scripts), every page is reachable from the index, and every worked example gives what the
program gives.

Examples are marked in the pages:
  <table class="keys" data-options="OPTIONS"> with rows <tr data-keys="TOKENS">: the rows
      are one session of `pemu-calc keys OPTIONS -- TOKENS...`; the cell class="shown" of a
      row is the display after its last token (grouped with commas or not); with the table
      class "with-marks" the cell class="marks" names exactly the lit marks.
  <pre class="tape" data-options="OPTIONS" data-keys="TOKENS">: the check tape after the
      keys, as `--tape` prints it, without its first line (the separator the window never
      shows).
  <tr data-formula="EXPR" data-options="OPTIONS"> with a cell class="answer": what
      `pemu-calc formula OPTIONS EXPR` prints.

usage: manual_test.py MANUAL_DIR SOURCE_DIR PEMU_CALC
"""
import html.parser
import os
import re
import shlex
import subprocess
import sys
import urllib.parse

# The words of the marks column, as the display prints them.
MARKS = {"＋": 17, "－": 18, "×": 19, "÷": 20, "＝": 99, "コピー": 53, "GT": 15, "M": 52,
         "GT呼出": 50, "MR": 4, "M+": 5, "M−": 6, "√": 9, "税込": 11, "税込税額": 48,
         "税抜": 12, "税抜税額": 49, "答": 57, "Mあふれ": 55, "GTあふれ": 56, "桁あふれ": 54,
         "E": 58, "K": 59}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.problems = set(), [], []
        self.charset = self.lang = None
        self.examples = []   # (kind, attrs, cells or text)
        self._table = None   # the example table being read
        self._row = None
        self._cell = None
        self._pre = None

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            if a["id"] in self.ids:
                self.problems.append("id %s twice" % a["id"])
            self.ids.add(a["id"])
        if tag == "a" and "name" in a:
            self.ids.add(a["name"])
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "meta" and "charset" in a:
            self.charset = a["charset"].lower()
        if tag == "script" or tag in ("iframe", "object", "embed"):
            self.problems.append("<%s> is not allowed" % tag)
        for name, value in attrs:
            if name.startswith("on"):
                self.problems.append("%s= on <%s> is not allowed" % (name, tag))
            if name in ("href", "src") and value is not None:
                self.links.append(value)
        classes = a.get("class", "").split()
        if tag == "table" and "keys" in classes:
            self._table = {"options": a.get("data-options", ""), "marks": "with-marks" in classes,
                           "rows": []}
        elif tag == "tr" and self._table is not None and "data-keys" in a:
            self._row = {"keys": a["data-keys"], "cells": {}, "line": self.getpos()[0]}
        elif tag == "tr" and "data-formula" in a:
            self._row = {"formula": a["data-formula"], "options": a.get("data-options", ""),
                         "cells": {}, "line": self.getpos()[0]}
        elif tag == "td" and self._row is not None and classes:
            self._cell = [classes[0], ""]
        elif tag == "pre" and "tape" in classes:
            self._pre = {"keys": a.get("data-keys", ""), "options": a.get("data-options", ""),
                         "text": "", "line": self.getpos()[0]}

    def handle_endtag(self, tag):
        if tag == "td" and self._cell is not None:
            self._row["cells"][self._cell[0]] = self._cell[1].strip()
            self._cell = None
        elif tag == "tr" and self._row is not None:
            if "formula" in self._row:
                self.examples.append(("formula", self._row))
            else:
                self._table["rows"].append(self._row)
            self._row = None
        elif tag == "table" and self._table is not None:
            self.examples.append(("keys", self._table))
            self._table = None
        elif tag == "pre" and self._pre is not None:
            self.examples.append(("tape", self._pre))
            self._pre = None

    def handle_data(self, data):
        if self._cell is not None:
            self._cell[1] += data
        if self._pre is not None:
            self._pre["text"] += data


def grouped(number):
    """The number with commas between groups of three integer digits."""
    sign = "-" if number.startswith("-") else ""
    body = number[len(sign):]
    whole, point, fraction = body.partition(".")
    groups = []
    while len(whole) > 3:
        groups.insert(0, whole[-3:])
        whole = whole[:-3]
    groups.insert(0, whole)
    return sign + ",".join(groups) + point + fraction


class Check:
    def __init__(self):
        self.passed = self.failed = 0

    def __call__(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL: " + what)
        return ok


def calc(pemu_calc, args):
    run = subprocess.run([pemu_calc] + args, capture_output=True, text=True, encoding="utf-8")
    return run.returncode, run.stdout


def check_key_table(check, pemu_calc, page, table):
    tokens, ends = [], []
    for row in table["rows"]:
        tokens += shlex.split(row["keys"])
        ends.append(len(tokens))
    args = ["keys"] + shlex.split(table["options"]) + ["--"] + tokens
    status, out = calc(pemu_calc, args)
    lines = out.splitlines()
    if not check(status == 0 and len(lines) == len(tokens),
                 "%s: pemu-calc %s failed (%d)" % (page, " ".join(args), status)):
        return
    for row, end in zip(table["rows"], ends):
        _, shown, marks, _ = lines[end - 1].split("\t")[:4]
        where = "%s line %d (%s)" % (page, row["line"], row["keys"])
        want = row["cells"].get("shown")
        check(want is not None, where + ": the row has no cell class=\"shown\"")
        if want is not None:
            check(want in (shown, grouped(shown)),
                  "%s: the manual shows %s, the program %s" % (where, want, shown))
        if table["marks"]:
            words = row["cells"].get("marks", "").split()
            unknown = [w for w in words if w not in MARKS]
            check(not unknown, "%s: unknown mark words %s" % (where, unknown))
            lit = set() if marks == "-" else {int(m) for m in marks.split(",")}
            named = {MARKS[w] for w in words if w in MARKS}
            check(named == lit, "%s: the manual lights %s, the program %s"
                  % (where, sorted(named), sorted(lit)))


def check_tape(check, pemu_calc, page, pre):
    args = ["keys"] + shlex.split(pre["options"]) + ["--tape", "--"] + shlex.split(pre["keys"])
    status, out = calc(pemu_calc, args)
    where = "%s line %d" % (page, pre["line"])
    if not check(status == 0 and "--- tape\n" in out, "%s: pemu-calc failed" % where):
        return
    tape = out.split("--- tape\n", 1)[1].split("\n")
    tape = tape[1:]  # the separator line
    if tape and tape[-1] == "":
        tape.pop()
    shown = pre["text"].strip("\n").split("\n")
    check(shown == tape, "%s: the tape in the manual differs from the program's:\n%s\n---\n%s"
          % (where, "\n".join(shown), "\n".join(tape)))


def check_formula(check, pemu_calc, page, row):
    args = ["formula"] + shlex.split(row["options"]) + [row["formula"]]
    _, out = calc(pemu_calc, args)
    want = row["cells"].get("answer")
    check(want is not None and want == out.strip(),
          "%s line %d: the manual gives %r for %s, the program %r"
          % (page, row["line"], want, row["formula"], out.strip()))


def help_pages_in_source(source):
    """Every page a help item of the program names: the .htm texts in its sources."""
    names = set()
    for root, _, files in os.walk(os.path.join(source, "src")):
        for name in files:
            if name.endswith((".cpp", ".hpp")):
                with open(os.path.join(root, name), encoding="utf-8") as f:
                    names |= set(re.findall(r'"([A-Za-z0-9_.-]+\.htm)"', f.read()))
    return names


def main():
    manual, source, pemu_calc = sys.argv[1:4]
    check = Check()
    pages = {}
    for name in sorted(os.listdir(manual)):
        if not name.endswith(".htm"):
            continue
        with open(os.path.join(manual, name), "rb") as f:
            raw = f.read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError as e:
            check(False, "%s is not UTF-8: %s" % (name, e))
            continue
        page = Page()
        page.feed(text)
        page.close()
        pages[name] = page
        check(page.charset == "utf-8", name + ": no <meta charset=\"utf-8\">")
        check(page.lang == "ja", name + ": <html lang=\"ja\"> missing")
        for problem in page.problems:
            check(False, name + ": " + problem)

    named = help_pages_in_source(source)
    check(len(named) >= 4, "the sources name only %s" % sorted(named))
    for name in sorted(named):
        check(name in pages, "a help item opens %s, which the manual does not have" % name)

    # Links: relative, to a file that exists, to an anchor that exists.
    reached = {"index.htm"}
    for name, page in pages.items():
        for link in page.links:
            parts = urllib.parse.urlsplit(link)
            if not check(not parts.scheme and not parts.netloc and not link.startswith("/"),
                         "%s: %s is not a relative link" % (name, link)):
                continue
            target = urllib.parse.unquote(parts.path) or name
            path = os.path.normpath(os.path.join(manual, target))
            if not check(os.path.isfile(path), "%s: %s leads nowhere" % (name, link)):
                continue
            if target in pages:
                reached.add(target)
                if parts.fragment:
                    check(parts.fragment in pages[target].ids,
                          "%s: %s has no anchor #%s" % (name, target, parts.fragment))
    # Every page can be found from the index (links from any page count: the index links
    # to all of them and each page's navigation back).
    for name in pages:
        check(name in reached, "%s is linked from no page" % name)

    for name, page in sorted(pages.items()):
        for kind, example in page.examples:
            if kind == "keys":
                check_key_table(check, pemu_calc, name, example)
            elif kind == "tape":
                check_tape(check, pemu_calc, name, example)
            else:
                check_formula(check, pemu_calc, name, example)

    examples = sum(len(p.examples) for p in pages.values())
    check(examples >= 10, "only %d worked examples are marked" % examples)
    print("%d passed, %d failed" % (check.passed, check.failed))
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
