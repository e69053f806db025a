// pemu-icon-sizes MASTER.png OUTDIR: the application icon in the sizes desktops ask for, as
// OUTDIR/<n>x<n>/apps/pemu.png (the icon theme's layout). Runs during the build.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pemu-icon-sizes MASTER.png OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage master(QString::fromLocal8Bit(argv[1]));
    if (master.isNull()) {
        std::fprintf(stderr, "pemu-icon-sizes: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        const QImage icon =
            master.width() == size
                ? master
                : master.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!QDir().mkpath(folder) || !icon.save(folder + "/pemu.png", "PNG")) {
            std::fprintf(stderr, "pemu-icon-sizes: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
