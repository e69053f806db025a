// option.ini of a skin folder: the one flag a skin carries besides its pictures.
#include <cstdlib>

#include "display/skin.hpp"
#include "platform/file_system.hpp"
#include "shell/ini_document.hpp"

namespace pemu::display {
namespace {

constexpr const char* kSection = "Value";
constexpr const char* kButtonCompound = "ButtonCompound";

}  // namespace

int ReadButtonCompound(const std::filesystem::path& folder) {
    const auto text = platform::ReadWholeFile((folder / kSkinOptionFile).string());
    if (!text) return 0;
    const auto value = shell::IniDocument::Parse(*text).Get(kSection, kButtonCompound);
    return value ? std::atoi(value->c_str()) : 0;
}

bool WriteButtonCompound(const std::filesystem::path& folder, int value) {
    const std::string path = (folder / kSkinOptionFile).string();
    const auto text = platform::ReadWholeFile(path);
    shell::IniDocument ini = shell::IniDocument::Parse(text ? *text : std::string());
    ini.Set(kSection, kButtonCompound, std::to_string(value));
    return platform::WriteFileAtomically(path, ini.Serialise()).ok;
}

}  // namespace pemu::display
