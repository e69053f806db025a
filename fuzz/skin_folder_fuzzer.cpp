// A user skin folder at start-up holding one fuzzed bitmap and a fuzzed "option.ini": every
// file is read or refused, and the face, the display, every mark and every key are drawn
// from whatever was taken without reading outside a picture.
//
// Input: byte 0 picks the bitmap (file order, mod 6), byte 1 the length of the option.ini
// text that follows; the rest is the bitmap.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "display/bitmap_check.hpp"
#include "display/bitmap_file.hpp"
#include "display/face.hpp"
#include "display/skin.hpp"
#include "display/skin_layout.hpp"
#include "fuzz_support.hpp"
#include "platform/file_system.hpp"

namespace {

using namespace pemu::display;
using pemu::fuzz::Require;

class ScratchEnvironment : public SkinEnvironment {
  public:
    explicit ScratchEnvironment(std::filesystem::path user) : user_(std::move(user)) {}
    std::filesystem::path UserSkinFolder() const override { return user_; }
    bool IsPrimaryInstance() const override { return true; }
    void SetSkinIdent(std::string_view, std::string_view) override {}
    void SetCustomSkinType(int) override {}
    void RepaintKeyNavigation() override {}
    void RedrawDisplay() override {}

  private:
    std::filesystem::path user_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in = pemu::fuzz::Bytes(data, size);
    if (in.size() < 2) return 0;
    const std::size_t index = static_cast<unsigned char>(in[0]) % kSkinFiles.size();
    const std::size_t optionLength = static_cast<unsigned char>(in[1]);
    in.remove_prefix(2);
    const std::string_view option = in.substr(0, std::min(optionLength, in.size()));
    in.remove_prefix(option.size());
    const std::string_view bitmap = in;

    const std::filesystem::path user = pemu::fuzz::ScratchFolder() + "UserCustumSkin";
    std::error_code ec;
    std::filesystem::remove_all(user, ec);
    std::filesystem::create_directories(user);
    Require(pemu::platform::WriteFileAtomically((user / kSkinOptionFile).string(), option).ok);
    Require(pemu::platform::WriteFileAtomically((user / kSkinFiles[index]).string(), bitmap).ok);

    // The reader refuses exactly what the check refuses.
    const auto decoded = DecodeBitmap(bitmap);
    if (CheckBitmapBytes(bitmap) != BitmapCheck::kComplete) Require(!decoded);
    const bool composed = ButtonCompoundOf(option) == 1;  // pressed keys show the panel

    ScratchEnvironment env(user);
    Face face([family = bitmap.size() % 2 == 0 ? kSharp : kCasio] { return family; });
    face.FirstShow(1, env);
    // A picture is taken only when it is complete and holds every cell of its part.
    const bool taken = decoded && FitsSkinFile(*decoded, static_cast<int>(index));
    const QImage* pictures[] = {&face.skin().Panel(),         &face.skin().ButtonUp(),
                                &face.skin().ButtonDown(),    &face.skin().DigitalPanel(),
                                &face.skin().DigitalNumber(), &face.skin().DigitalMark()};
    if (!taken && !(composed && index == 2)) Require(*pictures[index] == Skin::BuiltIn()[index]);
    for (std::size_t i = 0; i < kSkinFiles.size(); ++i) {
        Require(pictures[i]->width() >= kSkinFileNeeds[i].width);
        Require(pictures[i]->height() >= kSkinFileNeeds[i].height);
    }

    if (!taken) return 0;  // the built-in pictures: drawn the same for every such input

    face.display().DrawNumber("-1,234,567.890123");
    for (int code = 0; code < 100; ++code) {
        face.display().CopyMarkGlyph(pemu::core::Mark{code});
        face.display().BlankMarkGlyph(pemu::core::Mark{code});
    }
    for (int code : kKeyPictureCodes) {
        face.keys().PressKey(code);
        face.keys().ReleaseKey(code);
    }
    const QImage shown = face.Render();
    Require(shown.width() == kFaceSize.width && shown.height() == kFaceSize.height);
    return 0;
}
