// option.ini of a skin folder: the one flag a skin carries besides its pictures.
#include <charconv>

#include "display/skin.hpp"
#include "platform/file_system.hpp"
#include "shell/ini_document.hpp"

namespace pemu::display {
namespace {

constexpr const char* kSection = "Value";
constexpr const char* kButtonCompound = "ButtonCompound";

}  // namespace

int ButtonCompoundOf(std::string_view optionText) {
    const auto value = shell::IniDocument::Parse(optionText).Get(kSection, kButtonCompound);
    if (!value) return 0;
    // Leading blanks and digits as a number; anything else, or one out of range, is 0.
    std::string_view text = shell::TrimBlanks(*value);
    if (text.starts_with('+')) text.remove_prefix(1);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() ? number : 0;
}

int ReadButtonCompound(const std::filesystem::path& folder) {
    const auto text = platform::ReadWholeFile((folder / kSkinOptionFile).string());
    return text ? ButtonCompoundOf(*text) : 0;
}

bool WriteButtonCompound(const std::filesystem::path& folder, int value) {
    const std::string path = (folder / kSkinOptionFile).string();
    const auto text = platform::ReadWholeFile(path);
    shell::IniDocument ini = shell::IniDocument::Parse(text ? *text : std::string());
    ini.Set(kSection, kButtonCompound, std::to_string(value));
    return platform::WriteFileAtomically(path, ini.Serialise()).ok;
}

}  // namespace pemu::display
