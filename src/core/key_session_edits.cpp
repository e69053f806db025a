// Tape edit tokens of pemu-calc keys: the tape window's change, insert, delete and clear,
// applied to a line chosen by its number in the grid.
#include <charconv>

#include "core/key_session.hpp"
#include "platform/codec.hpp"

namespace pemu::core {
namespace {

constexpr std::string_view kPastePrefix = "@paste:";

// The list items "＋" "－" "×" "÷" "＝" "％" as typed.
constexpr std::string_view kSymbols = "+-*/=%";

std::vector<std::string_view> Fields(std::string_view token) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t colon = token.find(':', start);
        fields.push_back(token.substr(start, colon - start));
        if (colon == std::string_view::npos) return fields;
        start = colon + 1;
    }
}

bool ParseLine(std::string_view text, int& line) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, line);
    return ec == std::errc() && ptr == end && !text.empty() && line >= 1;
}

}  // namespace

bool IsTapeEditToken(std::string_view token) {
    return !token.empty() && token[0] == '@';
}

bool IsPasteToken(std::string_view token) {
    return token.starts_with(kPastePrefix);
}

std::string ParseTapeEdit(std::string_view token, TapeEdit& edit) {
    edit = TapeEdit{};
    const std::vector<std::string_view> f = Fields(token);
    using Kind = TapeEdit::Kind;
    if (f[0] == "@clear") return f.size() == 1 ? "" : "@clear takes nothing after it";
    if (f[0] == "@delete") {
        edit.kind = Kind::kDelete;
        if (f.size() != 2) return "expected @delete:N";
    } else if (f[0] == "@change" || f[0] == "@insert") {
        edit.kind = f[0] == "@change" ? Kind::kChange : Kind::kInsert;
        if (f.size() != 4) return "expected " + std::string(f[0]) + ":N:VALUE:SYM";
        const std::size_t symbol = kSymbols.find(f[3]);
        if (f[3].size() != 1 || symbol == std::string_view::npos) {
            return "unknown symbol '" + std::string(f[3]) + "' (one of + - * / = %)";
        }
        edit.value = std::string(f[2]);
        edit.symbol = static_cast<int>(symbol);
    } else {
        return "unknown edit (@change, @insert, @delete or @clear)";
    }
    if (!ParseLine(f[1], edit.line)) return "bad line number '" + std::string(f[1]) + "'";
    return "";
}

std::string KeySession::Run(std::string_view token) {
    if (IsPasteToken(token)) return Paste(token);
    if (IsTapeEditToken(token)) return Edit(token);
    Press(token);
    return StatusLine(token);
}

std::string KeySession::Paste(std::string_view token) {
    const bool pasted = calc_.PasteNumber(token.substr(kPastePrefix.size()));
    return StatusLine(token) + (pasted ? "\tpasted" : "\trefused");
}

std::string KeySession::Edit(std::string_view token) {
    TapeEdit edit;
    if (!ParseTapeEdit(token, edit).empty()) return "";
    if (edit.kind == TapeEdit::Kind::kClear) {
        tape_.ClearTape();
        return StatusLine(token);
    }
    const auto [result, message] = ApplyEdit(edit);
    return StatusLine(token) + '\t' + result + '\t' +
           (message.empty() ? std::string("-") : platform::Cp932ToUtf8(message));
}

std::pair<std::string, std::string> KeySession::ApplyEdit(const TapeEdit& edit) {
    using Kind = TapeEdit::Kind;
    const std::pair<std::string, std::string> notOffered{"X", ""};
    if (!view_.SelectLine(edit.line)) return notOffered;
    tape::EditOutcome outcome;
    if (edit.kind == Kind::kDelete) {
        if (!correction_.EditableLine()) return notOffered;
        outcome = correction_.DeleteLine();
    } else {
        const tape::EditKind mode =
            edit.kind == Kind::kChange ? tape::kEditChange : tape::kEditInsert;
        if (!correction_.PrepareEdit(mode)) return notOffered;
        tape::EditForm& form = correction_.Form();
        if (static_cast<std::size_t>(edit.symbol) >= form.symbols.size()) {
            view_.ClosePanels();
            return notOffered;
        }
        form.selected = static_cast<std::size_t>(edit.symbol);
        form.field.SetText(platform::Utf8ToCp932(edit.value));
        outcome = correction_.UpdateRunClick();
    }
    // Each token is one whole edit: an input box left open is closed before the next.
    view_.ClosePanels();
    const std::string result = outcome.result == tape::kEditBadNumber ? "E"
                               : outcome.result == tape::kEditNothing
                                   ? "X"
                                   : std::to_string(static_cast<int>(outcome.result));
    return {result, outcome.message};
}

}  // namespace pemu::core
