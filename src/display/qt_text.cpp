#include "display/qt_text.hpp"

#include "platform/codec.hpp"

namespace pemu::display {

QString FromCp932(std::string_view cp932) {
    const std::string utf8 = platform::Cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString Caption(std::string_view utf8) {
    return FromCp932(platform::Sjis(utf8));
}

std::string ToCp932(const QString& text) {
    return platform::Utf8ToCp932(text.toUtf8().toStdString());
}

}  // namespace pemu::display
