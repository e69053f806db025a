#include "tape/line_format.hpp"

#include <map>

#include "arithmetic/decimal.hpp"
#include "platform/codec.hpp"
#include "tape/line_codes.hpp"

namespace pemu::tape {
namespace {

using platform::Sjis;
using T = ValueTreatment;
using M = MarkKind;

constexpr std::size_t kVerbatimMax = kGroupedMax - 1;
// Room NormaliseNumberText may use for its one insertion (a value field of 80 bytes).
constexpr std::size_t kValueBufferSize = kGroupedMax + 1;

LineFormat Format(T treatment, const char* prefix, const char* suffix, const char* label, M mark,
                  bool counted) {
    return LineFormat{treatment, Sjis(prefix), Sjis(suffix), Sjis(label), mark, counted};
}

std::map<int, LineFormat> BuildTable() {
    std::map<int, LineFormat> t;
    t[kLineAdd] = Format(T::kGrouped, "", "", " ＋　", M::kMatch, false);
    t[kLineSubtract] = Format(T::kGrouped, "", "", " －　", M::kMatch, false);
    t[kLineMultiply] = Format(T::kGrouped, "", "", " ×　", M::kMatch, false);
    t[kLineDivide] = Format(T::kGrouped, "", "", " ÷　", M::kMatch, false);
    t[kLinePercent] = Format(T::kGrouped, "", "", " ％　", M::kMatch, false);
    t[kLineEquals] = Format(T::kGrouped, "", "", " ＝　", M::kMatch, false);
    t[kLineMemoryPlus] = Format(T::kGrouped, "", "", " Ｍ+ ", M::kMatch, false);
    t[kLineMemoryMinus] = Format(T::kGrouped, "", "", " Ｍ- ", M::kMatch, false);
    t[kLineResult] = Format(T::kGrouped, "", "", " ＊　", M::kMatch, false);
    t[kLineResultWithGrandTotal] = Format(T::kGrouped, "", "", " ＊+ ", M::kMatch, false);
    t[kLineSignPositive] = Format(T::kEmpty, "", "", " SC+ ", M::kMatch, true);
    t[kLineSignNegative] = Format(T::kEmpty, "", "", " SC- ", M::kMatch, true);
    t[kLineMemoryClear] = Format(T::kEmpty, "", "C ", " ◆Ｍ", M::kReference, false);
    t[kLineMemoryRecall] = Format(T::kGrouped, "", " ", " ◇Ｍ", M::kReference, true);
    t[kLineGrandTotalRecall] = Format(T::kGrouped, "", " ", " ◇＊", M::kReference, true);
    t[kLineGrandTotalClear] = Format(T::kEmpty, "", "C ", " ◆＊", M::kReference, false);
    t[kLineClear] = Format(T::kEmpty, "", "", " Ｃ　", M::kBlank, false);
    t[kLineClearAll] = Format(T::kEmpty, "", "", " ＣＡ", M::kBlank, false);
    t[kLineRootOperand] = Format(T::kGrouped, "√ ", " ", " 　　", M::kReference, true);
    t[kLineRootResult] = Format(T::kGrouped, "= ", " ", " 　　", M::kReference, true);
    t[kLineTaxBase] = Format(T::kGrouped, "BASE ", " ", " 　　", M::kReference, true);
    t[kLineTaxIncludedAmount] = Format(T::kGrouped, "…TAX ", " ", " 　　", M::kReference, true);
    t[kLineTaxExcludedAmount] = Format(T::kGrouped, "…TAX ", "-", "　 　", M::kReference, true);
    t[kLineTaxIncluded] = Format(T::kGrouped, "= ", " ", " 　　", M::kReference, true);
    t[kLineTaxExcluded] = Format(T::kGrouped, "= ", " ", "　 　", M::kReference, true);
    t[kLineErrorZero] = Format(T::kVerbatim, "", "", " Ｅ０", M::kBlank, false);
    t[kLineErrorRoot] = t[kLineErrorZero];
    t[kLineErrorOverflow] = Format(T::kVerbatim, "", "", " ＥＦ", M::kBlank, false);
    t[kLineErrorMemory] = Format(T::kVerbatim, "", "", " ＭＦ", M::kBlank, false);
    t[kLineErrorGrandTotal] = Format(T::kVerbatim, "", "", " ＊Ｆ", M::kBlank, false);
    t[kLineCarriedOver] = Format(T::kEmpty, "", "", " ～　", M::kBlank, false);
    t[kLineSettingNote] = Format(T::kVerbatim, "", "", "     ", M::kReference, true);
    t[kLineDate] = Format(T::kEmpty, "", "", "", M::kDate, false);
    t[kLineSeparator] = Format(T::kEmpty, "", "", "", M::kSeparator, false);
    return t;
}

}  // namespace

const LineFormat& LineFormatOf(int lineCode, KeyFamily family) {
    static const std::map<int, LineFormat> table = BuildTable();
    static const LineFormat casioClear = Format(T::kEmpty, "", "", " ＡＣ", M::kBlank, false);
    static const LineFormat other{};
    if (lineCode == kLineClear && family == KeyFamily::kCasio) return casioClear;
    const auto it = table.find(lineCode);
    return it != table.end() ? it->second : other;
}

std::string ValueField(std::string_view value, const LineFormat& format) {
    std::string field;
    switch (format.treatment) {
        case ValueTreatment::kGrouped:
            if (!value.empty()) field = arith::GroupThousands(value, kGroupedMax);
            break;
        case ValueTreatment::kVerbatim:
            field = std::string(value.substr(0, kVerbatimMax));
            break;
        case ValueTreatment::kEmpty:
            break;
    }
    if (!field.empty()) {
        arith::NormaliseNumberText(field, kValueBufferSize);
        arith::StripFractionZeros(field);
    }
    return format.prefix + field + format.suffix;
}

std::string GroupedValue(std::string_view value) {
    return ValueField(value, LineFormatOf(kLineAdd, KeyFamily::kSharp));
}

const std::string& MatchMark() {
    static const std::string mark = Sjis(" 同");
    return mark;
}

const std::string& NoMatchMark() {
    static const std::string mark = Sjis(" 　");
    return mark;
}

const std::string& ReferenceMark() {
    static const std::string mark = Sjis(" ‥");
    return mark;
}

const std::string& OperatorSymbol(int op) {
    static const std::string symbols[] = {Sjis("＋"), Sjis("－"), Sjis("×"), Sjis("÷"), Sjis("　")};
    return op >= kLineAdd && op <= kLineDivide ? symbols[op - kLineAdd] : symbols[4];
}

}  // namespace pemu::tape
