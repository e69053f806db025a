#pragma once
// Reading a golden key file: cases of key tokens with the display expected after each.
//
//   # a comment; a "#" after blanks also ends a row
//   options --family casio --digits 8     options for the cases below (pemu-calc keys)
//   case 5 x x 3 = multiplies by K        a new case on a fresh calculator
//   5      5                              TOKEN  DISPLAY  [MARKS]  [ERROR]
//   *      5      19                      MARKS: lit codes "17,99", "-" none, "*" any
//   =      15     59,99   0               ERROR: the error code; left out it must be 0
//   tape   simple_sum.tape                the tape so far equals that file (UTF-8)
//   keys   1 + 2 =                        tokens run without checks
//   @change:2:70:=  0  [MESSAGE]          a tape edit: its result and message (UTF-8)
//   @clear                                the tape window's clear
#include <string>
#include <vector>

namespace pemu::golden {

struct GoldenRow {
    int line = 0;
    std::string token;
    std::string display;
    std::string marks = "*";
    int error = 0;
    std::string tapeFile;  // set for a "tape" row instead of a key
    // A "keys" row: tokens run without checks.
    std::vector<std::string> keys;
    // A tape edit row: token holds the edit, display its result (0-4, E or X; empty for
    // @clear, which has none).
    bool edit = false;
    std::string message = "-";
};

struct GoldenCase {
    int line = 0;
    std::string title;
    std::vector<std::string> options;
    std::vector<GoldenRow> rows;
};

// The cases of a file; a malformed line gives a message in errors ("file:line: ...").
std::vector<GoldenCase> ReadGoldenFile(const std::string& path, std::vector<std::string>& errors);

}  // namespace pemu::golden
