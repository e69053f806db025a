#pragma once

// What a Pemu build for Windows relies on in the cross-built Qt and libjpeg, each checked
// for real: decoding, text shaping, translation, printing to a file, the JPEG codec.

#include <QImage>
#include <QString>
#include <vector>

namespace qtcheck {

struct Outcome {
    QString name;
    bool ok = false;
    QString detail;
};

// Japanese text as Pemu shows it; the window draws it and the glyph check shapes it.
QString JapaneseSample();

// Runs every check; files the checks write go into `folder`. Needs a QApplication.
std::vector<Outcome> RunChecks(const QString& folder);

// The run-length BMP as Qt decoded it (null when it could not), for the window to show.
QImage DecodedPicture(const QString& folder);

}  // namespace qtcheck
