#pragma once
// Paths between Qt's text and ours: our paths are UTF-8 on every system (the Windows layer
// turns them into UTF-16 at its edge), never the Windows ANSI code page that
// QFile::encodeName uses there.
#include <QString>
#include <string>

namespace pemu::platform {

inline QString QtPath(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

inline std::string PathFromQt(const QString& path) {
    return path.toUtf8().toStdString();
}

}  // namespace pemu::platform
