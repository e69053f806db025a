#pragma once
// Where everything sits: the sizes of the six skin bitmaps, the key sheet cells, the key
// positions on the face, the glyph strips of the digital display and its marks. Plain
// constexpr tables, shared by the skin generator and the drawing code so they cannot drift.
#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "platform/geometry.hpp"
#include "tape/key_family.hpp"

namespace pemu::display {

using platform::Point;
using platform::Rect;
using platform::Size;

// The six bitmaps in their loading order.
inline constexpr Size kPanelSize{272, 400};
inline constexpr Size kKeySheetSize{231, 301};
inline constexpr Size kDisplayPanelSize{261, 102};
inline constexpr Size kDigitStripSize{224, 25};
inline constexpr Size kMarkStripSize{400, 13};

// Main window client area; mini size keeps only the top rows.
inline constexpr Size kFaceSize{272, 400};
inline constexpr int kMiniFaceHeight = 116;

// The digital display pictures on the face.
inline constexpr Point kDigitPanelPos{13, 51};
inline constexpr Size kDigitPanelSize{245, 30};
inline constexpr Point kMarkStripPos{13, 39};
inline constexpr Size kMarkStripViewSize{245, 10};
inline constexpr Size kSyncMarkSize{20, 10};

// The composite display panel: painted at kCompositePos, its background taken from the panel
// at kCompositeBackground (one pixel apart in x, as the face has always been drawn).
inline constexpr Point kCompositePos{5, 9};
inline constexpr Point kCompositeBackground{6, 9};
inline constexpr int kCompositePaintedHeight = 100;

// Colour keys kept in the bitmaps themselves.
inline constexpr Point kDisplayPanelTransparentKey{0, 101};
inline constexpr Point kDisplayPanelLabelColourFlag{200, 101};
inline constexpr std::array<Point, 4> kDisplayPanelLabelColours{
    {{205, 101}, {210, 101}, {215, 101}, {220, 101}}};
inline constexpr Point kPressedSheetTransparentKey{1, 1};
inline constexpr Point kMarkStripBackground{335, 11};
inline constexpr Point kDigitStripBackground{210, 22};

// Labels next to the display (face coordinates).
inline constexpr Rect kLabAns{112, 17, 145, 13};
inline constexpr Rect kLabIpt{41, 90, 144, 13};
inline constexpr Rect kLabRs{212, 88, 22, 18};
inline constexpr Rect kLabDc{248, 88, 13, 18};

// ---- Digit strip -------------------------------------------------------------------------
inline constexpr int kGlyphTop = 2;
inline constexpr Size kDigitGlyphSize{11, 21};
constexpr int DigitGlyphX(int digit) {
    return 5 + 15 * digit;
}
inline constexpr int kMinusGlyphX = 155;
inline constexpr int kErrorGlyphX = 170;
inline constexpr int kColonGlyphX = 185;
inline constexpr int kPointGlyphX = 200;
inline constexpr Size kPointGlyphSize{3, 3};
inline constexpr int kThousandsGlyphX = 205;
inline constexpr Size kThousandsGlyphSize{3, 5};
inline constexpr int kDigitCells = 15;

// ---- Mark strip --------------------------------------------------------------------------
inline constexpr int kMarkHeight = 10;
inline constexpr int kBlankMarkX = 335;
inline constexpr int kConstantMarkX = 360;  // K
inline constexpr int kErrorMarkX = 300;     // E

struct StripMark {
    int code;
    int placeX;
    int sourceX;
    int width;
};

// One row per mark code drawn on the strip; = appears for 1 and 99.
inline constexpr std::array<StripMark, 21> kStripMarks{{
    {17, 3, 5, 10},      // +
    {18, 17, 20, 10},    // -
    {19, 31, 35, 10},    // x
    {20, 45, 50, 10},    // /
    {1, 60, 65, 10},     // = after %
    {99, 60, 65, 10},    // =
    {53, 70, 160, 9},    // copied
    {15, 80, 270, 10},   // GT holds a value
    {52, 92, 255, 10},   // memory holds a value
    {50, 107, 100, 15},  // GT recalled
    {4, 124, 80, 15},    // MR
    {5, 124, 120, 15},   // M+
    {6, 124, 140, 15},   // M-
    {9, 141, 375, 10},   // root
    {11, 156, 180, 20},  // tax included
    {48, 156, 230, 20},  // tax included, amount
    {12, 178, 205, 20},  // tax excluded
    {49, 178, 230, 20},  // tax excluded, amount
    {57, 203, 315, 15},  // answer check
    {55, 225, 255, 10},  // memory overflow
    {56, 225, 270, 10},  // grand total overflow
}};
inline constexpr StripMark kRegisterOverflowMark{54, 235, 285, 10};

constexpr std::optional<StripMark> StripMarkOf(int code) {
    if (code == kRegisterOverflowMark.code) return kRegisterOverflowMark;
    for (const StripMark& m : kStripMarks)
        if (m.code == code) return m;
    return std::nullopt;
}

struct PanelMark {
    int code;
    Point place;  // on the digit panel
    int sourceX;  // in the sync mark picture
};
inline constexpr PanelMark kErrorPanelMark{58, {4, 18}, 10};
inline constexpr PanelMark kConstantPanelMark{59, {4, 2}, 0};

constexpr std::optional<PanelMark> PanelMarkOf(int code) {
    if (code == kErrorPanelMark.code) return kErrorPanelMark;
    if (code == kConstantPanelMark.code) return kConstantPanelMark;
    return std::nullopt;
}

// The cell a panel mark covers on the digit panel.
constexpr Rect PanelMarkCell(const PanelMark& mark) {
    return {mark.place.x, mark.place.y, kMarkHeight, kMarkHeight};
}

// Where the strip regions the engine erases lie on the mark strip.
inline constexpr Rect kOperatorMarksRegion{0, 0, 80, kMarkHeight};
inline constexpr Rect kFunctionMarksRegion{107, 0, 138, kMarkHeight};
inline constexpr Rect kWholeMarkStrip{0, 0, kMarkStripViewSize.width, kMarkStripViewSize.height};

// ---- Keys ---------------------------------------------------------------------------------
using tape::KeyFamily;
inline constexpr KeyFamily kSharp = KeyFamily::kSharp;
inline constexpr KeyFamily kCasio = KeyFamily::kCasio;

inline constexpr int kKeyWidth = 41;

struct KeyCell {
    int x;
    int y;
    int height;  // cell height; the key shows height - 2 rows
};

namespace detail {
struct CodeCell {
    int code;
    KeyCell cell;
};
inline constexpr std::array<CodeCell, 32> kSheetCells{{
    {15, {50, 5, 27}},   {10, {95, 5, 27}},    {11, {140, 5, 27}},   {12, {185, 5, 27}},
    {3, {5, 35, 27}},    {4, {50, 35, 27}},    {6, {95, 35, 27}},    {5, {140, 35, 27}},
    {16, {185, 35, 27}}, {9, {5, 65, 35}},     {1, {50, 65, 35}},    {20, {95, 65, 35}},
    {19, {140, 65, 35}}, {18, {185, 65, 35}},  {13, {5, 105, 35}},   {33, {50, 105, 35}},
    {34, {95, 105, 35}}, {35, {140, 105, 35}}, {17, {185, 105, 75}}, {14, {5, 145, 35}},
    {30, {50, 145, 35}}, {31, {95, 145, 35}},  {32, {140, 145, 35}}, {2, {5, 185, 35}},
    {27, {50, 185, 35}}, {28, {95, 185, 35}},  {29, {140, 185, 35}}, {99, {185, 185, 75}},
    {7, {5, 225, 35}},   {36, {50, 225, 35}},  {37, {95, 225, 35}},  {21, {140, 225, 35}},
}};
inline constexpr KeyCell kCasioClearCell{5, 265, 35};        // C key, labelled AC
inline constexpr KeyCell kCasioClearEntryCell{50, 265, 35};  // CE key, labelled C

struct CodePos {
    int code;
    Point pos;
};
inline constexpr std::array<CodePos, 32> kFacePositions{{
    {15, {66, 128}},  {10, {114, 128}}, {11, {162, 128}}, {12, {210, 128}}, {3, {18, 160}},
    {4, {66, 160}},   {6, {114, 160}},  {5, {162, 160}},  {16, {210, 160}}, {9, {18, 192}},
    {1, {66, 192}},   {20, {114, 192}}, {19, {162, 192}}, {18, {210, 192}}, {13, {18, 232}},
    {33, {66, 232}},  {34, {114, 232}}, {35, {162, 232}}, {17, {210, 232}}, {14, {18, 272}},
    {30, {66, 272}},  {31, {114, 272}}, {32, {162, 272}}, {2, {18, 312}},   {27, {66, 312}},
    {28, {114, 312}}, {29, {162, 312}}, {99, {210, 312}}, {7, {18, 352}},   {36, {66, 352}},
    {37, {114, 352}}, {21, {162, 352}},
}};

// 8 and 38 have no picture of their own: they draw the C and CA keys.
constexpr int PictureCodeOf(int code) {
    if (code == 8) return 7;
    if (code == 38) return 16;
    return code;
}
}  // namespace detail

// Every code that owns a key picture, in the order RefreshKeys draws them.
inline constexpr std::array<int, 32> kKeyPictureCodes{{99, 36, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                                                       37, 1,  2,  3,  4,  5,  6,  7,  9,  10, 11,
                                                       12, 13, 14, 15, 16, 17, 18, 19, 20, 21}};

// The area at (18, 128) has no picture and carries code 15.
inline constexpr Rect kGrandTotalArea{18, 128, 41, 25};

// The sheet cell of a key in a family, or nothing when the code has no cell.
constexpr std::optional<KeyCell> KeyCellOf(int code, KeyFamily family) {
    code = detail::PictureCodeOf(code);
    if (family == kCasio && code == 7) return detail::kCasioClearCell;
    if (family == kCasio && code == 2) return detail::kCasioClearEntryCell;
    for (const auto& c : detail::kSheetCells)
        if (c.code == code) return c.cell;
    return std::nullopt;
}

// The cell of the same key in the other family (CE and C only).
constexpr std::optional<KeyCell> OtherFamilyCellOf(int code, KeyFamily family) {
    code = detail::PictureCodeOf(code);
    if (code != 2 && code != 7) return std::nullopt;
    return KeyCellOf(code, family == kCasio ? kSharp : kCasio);
}

// Top-left corner of a key picture on the face.
constexpr std::optional<Point> KeyFacePositionOf(int code) {
    code = detail::PictureCodeOf(code);
    for (const auto& p : detail::kFacePositions)
        if (p.code == code) return p.pos;
    return std::nullopt;
}

// The code whose picture a key code draws (8 draws C, 38 draws CA).
constexpr int KeyPictureOf(int code) {
    return detail::PictureCodeOf(code);
}

// ---- What each bitmap must hold ---------------------------------------------------------
// The least size of each of the six bitmaps (in file order) that holds every cell, glyph
// and colour-key pixel the drawing reads from it. A smaller picture cannot show its part and
// is refused like a missing file.
namespace detail {
constexpr void Cover(Size& size, Rect r) {
    size.width = std::max(size.width, r.x + r.width);
    size.height = std::max(size.height, r.y + r.height);
}
constexpr void Cover(Size& size, Point pixel) {
    Cover(size, Rect{pixel.x, pixel.y, 1, 1});
}
constexpr void CoverGlyph(Size& size, int x, Size glyph) {
    Cover(size, Rect{x, kGlyphTop, glyph.width, glyph.height});
}
constexpr Size KeySheetNeeds() {
    Size size{0, 0};
    Cover(size, kPressedSheetTransparentKey);
    for (const KeyCell& c : {kCasioClearCell, kCasioClearEntryCell})
        Cover(size, Rect{c.x, c.y, kKeyWidth, c.height});
    for (const CodeCell& c : kSheetCells)
        Cover(size, Rect{c.cell.x, c.cell.y, kKeyWidth, c.cell.height});
    return size;
}
constexpr Size DigitStripNeeds() {
    Size size{0, 0};
    Cover(size, kDigitStripBackground);
    for (int x : {DigitGlyphX(9), kMinusGlyphX, kErrorGlyphX, kColonGlyphX})
        CoverGlyph(size, x, kDigitGlyphSize);
    CoverGlyph(size, kPointGlyphX, kPointGlyphSize);
    CoverGlyph(size, kThousandsGlyphX, kThousandsGlyphSize);
    return size;
}
constexpr Size MarkStripNeeds() {
    Size size{0, 0};
    Cover(size, kMarkStripBackground);
    for (int x : {kConstantMarkX, kErrorMarkX})  // the panel marks E and K
        CoverGlyph(size, x, {kMarkHeight, kMarkHeight});
    CoverGlyph(size, kRegisterOverflowMark.sourceX, {kRegisterOverflowMark.width, kMarkHeight});
    for (const StripMark& m : kStripMarks) {
        CoverGlyph(size, m.sourceX, {m.width, kMarkHeight});
        CoverGlyph(size, kBlankMarkX, {m.width, kMarkHeight});  // how a mark is blanked
    }
    return size;
}
}  // namespace detail

inline constexpr std::array<Size, 6> kSkinFileNeeds{{
    kFaceSize,  // the panel is the whole face
    detail::KeySheetNeeds(),
    detail::KeySheetNeeds(),
    kDisplayPanelSize,  // painted 261 x 100, its colour keys in the last row
    detail::DigitStripNeeds(),
    detail::MarkStripNeeds(),
}};

}  // namespace pemu::display
