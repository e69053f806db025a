#include "display/system_colours.hpp"

#include <QStringDecoder>
#include <string>

#include "platform/codec.hpp"

namespace pemu::display {

QColor ColourOf(SystemColour colour) {
    switch (colour) {
        case SystemColour::kWindow:
            return QColor(255, 255, 255);
        case SystemColour::kWindowText:
            return QColor(0, 0, 0);
        case SystemColour::kButtonFace:
            return QColor(240, 240, 240);
        case SystemColour::kButtonShadow:
            return QColor(160, 160, 160);
        case SystemColour::kInfoBackground:
            return QColor(255, 255, 225);
    }
    return QColor(0, 0, 0);
}

QString ToQString(std::string_view text) {
    // Texts are CP932; UTF-8 literals from our own code are accepted as they are.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromStdString(platform::Cp932ToUtf8(text));
}

QFont FontFor(std::string_view faceName, int pointSize, int pixelHeight) {
    const QString name = ToQString(faceName);
    const bool mincho = name.contains(QStringLiteral("明朝")) ||
                        name.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive);
    // "MS UI Gothic" is proportional too, though its name has no P.
    const bool proportional = name.contains(QChar(0xFF30)) || name.contains(QStringLiteral(" P")) ||
                              name.contains(QStringLiteral(" UI "));
    QString family = mincho ? QStringLiteral("IPAMincho") : QStringLiteral("IPAGothic");
    if (proportional) family = mincho ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAPGothic");
    // The IPA fonts where they are installed (Debian, Wine on Linux); else the face asked for,
    // or its kin by its English name, as a Windows machine has them.
    QString windowsFamily = mincho ? QStringLiteral("MS Mincho") : QStringLiteral("MS Gothic");
    if (proportional)
        windowsFamily = mincho ? QStringLiteral("MS PMincho") : QStringLiteral("MS PGothic");
    QFont font(family);
    font.setFamilies({family, name, windowsFamily});
    // Points at 96 dots per inch, whatever the screen says, so every machine draws alike.
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : std::max(1, (pointSize * 96 + 36) / 72));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace pemu::display
