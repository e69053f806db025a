// pemu-icon-sizes MASTER.png OUTDIR [ICON.ico]: the application icon in the sizes desktops
// ask for, as OUTDIR/<n>x<n>/apps/pemu.png (the icon theme's layout), and with ICON.ico
// also as a Windows icon file holding the same pictures. Runs during the build.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// An .ico whose entries are PNG pictures, as Windows reads them since Vista: a 6-byte
// header, one 16-byte entry per picture, then the pictures.
QByteArray IconFile(const std::vector<QImage>& icons) {
    std::vector<QByteArray> pngs;
    for (const QImage& icon : icons) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        icon.save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray out;
    auto put16 = [&out](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char*>(&le), 2);
    };
    auto put32 = [&out](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char*>(&le), 4);
    };
    put16(0);
    put16(1);  // an icon, not a cursor
    put16(static_cast<quint16>(icons.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        // 256 is written as 0: the field is one byte.
        out.append(static_cast<char>(icons[i].width() & 0xff));
        out.append(static_cast<char>(icons[i].height() & 0xff));
        out.append('\0');  // no palette
        out.append('\0');
        put16(1);   // planes
        put16(32);  // bits per pixel
        put32(static_cast<quint32>(pngs[i].size()));
        put32(offset);
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.append(png);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: pemu-icon-sizes MASTER.png OUTDIR [ICON.ico]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage master(QString::fromLocal8Bit(argv[1]));
    if (master.isNull()) {
        std::fprintf(stderr, "pemu-icon-sizes: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<QImage> icons;
    for (int size : kSizes) {
        const QString folder =
            QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QImage icon = master.width() == size ? master
                                                   : master.scaled(size, size, Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation);
        if (!QDir().mkpath(folder) || !icon.save(folder + "/pemu.png", "PNG")) {
            std::fprintf(stderr, "pemu-icon-sizes: cannot write %s\n", qPrintable(folder));
            return 1;
        }
        // Windows lists no 128 in its icon sizes; the rest go into the .ico.
        if (size != 128) icons.push_back(icon.convertToFormat(QImage::Format_ARGB32));
    }
    if (argc == 4) {
        const QString path = QString::fromLocal8Bit(argv[3]);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        const QByteArray bytes = IconFile(icons);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "pemu-icon-sizes: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
