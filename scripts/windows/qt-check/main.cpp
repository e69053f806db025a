// The check of the cross-built dependencies: runs the checks, writes a report, and shows a
// window with the Japanese sample, the decoded run-length BMP and the results, so that a
// screenshot shows what the fonts and the picture look like under Wine.
// Usage: qt-check.exe [--report FILE] [--no-window]; exits 0 when every check passed.

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QTextStream>
#include <QTranslator>
#include <QVBoxLayout>

#include "checks.hpp"

namespace {

QString Line(const qtcheck::Outcome& o) {
    return QString("%1 %2: %3").arg(o.ok ? "ok  " : "FAIL", o.name, o.detail);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype reportAt = args.indexOf("--report");
    const QString report = reportAt >= 0 && reportAt + 1 < args.size() ? args[reportAt + 1] : "";
    const QString folder = QApplication::applicationDirPath() + "/qt-check-files";

    // Pemu ships Qt's own Japanese texts for the standard buttons in translations/.
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_ja", QApplication::applicationDirPath() + "/translations")) {
        QApplication::installTranslator(&qtTexts);
    }

    const std::vector<qtcheck::Outcome> outcomes = qtcheck::RunChecks(folder);
    bool allOk = true;
    QStringList lines;
    for (const auto& o : outcomes) {
        allOk = allOk && o.ok;
        lines << Line(o);
    }
    if (!report.isEmpty()) {
        QFile out(report);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 2;
        QTextStream(&out) << lines.join('\n') << '\n' << (allOk ? "passed" : "failed") << '\n';
    }
    if (args.contains("--no-window")) return allOk ? 0 : 1;

    QDialog window;
    window.setWindowTitle(QString::fromUtf8("Qt check — 日本語"));
    auto* layout = new QVBoxLayout(&window);
    auto* sample = new QLabel(qtcheck::JapaneseSample());
    QFont big = sample->font();
    big.setPointSize(big.pointSize() * 2);
    sample->setFont(big);
    layout->addWidget(sample);
    auto* picture = new QLabel;
    const QImage decoded = qtcheck::DecodedPicture(folder);
    if (!decoded.isNull())
        picture->setPixmap(QPixmap::fromImage(decoded.scaled(decoded.size() * 6)));
    layout->addWidget(picture);
    auto* results = new QListWidget;
    results->addItems(lines);
    results->setMinimumWidth(results->sizeHintForColumn(0) + 24);
    results->setMinimumHeight(results->sizeHintForRow(0) * (results->count() + 1));
    layout->addWidget(results);
    layout->addWidget(new QLabel(allOk ? QString::fromUtf8("すべて合格 (all passed)")
                                       : QString::fromUtf8("不合格あり (failures)")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.show();
    app.exec();
    return allOk ? 0 : 1;
}
