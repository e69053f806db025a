// Composes the calculator face from the built-in skin, as the window shows it, into a PNG:
// left the "SHARP" family at rest, right the "CASIO" family with a key held down and marks lit.
// Usage: pemu-skin-preview OUTPUT.png [SCALE]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "display/face.hpp"

namespace {

QImage Compose(pemu::display::KeyFamily family, bool busy) {
    pemu::display::Face face([family] { return family; });
    auto& display = face.display();
    display.EraseMarkStrip(pemu::core::StripRegion::kWhole);
    if (busy) {
        display.DrawNumber("-1234567.89");
        for (int mark : {19, 52, 15, 11, 57})
            display.CopyMarkGlyph(pemu::core::Mark{mark});
        display.CopyMarkGlyph(pemu::core::Mark{59});
        face.keys().PressKey(31);
        face.keys().PressKey(7);
    } else {
        display.DrawNumber("0");
    }
    return face.Render();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pemu-skin-preview OUTPUT.png [SCALE]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const QImage sharp = Compose(pemu::display::kSharp, false),
                 casio = Compose(pemu::display::kCasio, true);
    QImage sheet(sharp.width() * 2 + 8, sharp.height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(0, 0, sharp);
    p.drawImage(sharp.width() + 8, 0, casio);
    p.end();
    const QImage out = sheet.scaled(sheet.size() * scale);
    if (!out.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "pemu-skin-preview: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
