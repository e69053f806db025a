#include "main_window_fixture.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <fstream>

#include "display/skin_layout.hpp"
#include "ui/application.hpp"
#include "ui/face_widget.hpp"

namespace pemu::ui::testing_support {

namespace fs = std::filesystem;

void MainWindowTest::SetUpTestSuite() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_main_window_test";
    static char* argv[] = {name, nullptr};
    PrepareApplication(*new QApplication(argc, argv));
}

void MainWindowTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id too: the same test run from two build trees at once must not share it.
    dataRoot_ = fs::temp_directory_path() /
                (std::string("pemu-ui-") + info->test_suite_name() + "-" + info->name() + "-" +
                 std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(dataRoot_);
    fs::create_directories(dataRoot_);
}

void MainWindowTest::Start(bool withSettingsFile) {
    if (withSettingsFile) {
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini");
    }
    StartWith(nullptr);
}

void MainWindowTest::StartWith(std::unique_ptr<shell::InstanceChannel> channel) {
    // No template beside this program: the first run only writes its marker.
    session_ = std::make_unique<shell::ShellSession>(
        dataRoot_.string(), (dataRoot_ / "bin").string(), std::move(channel));
    window_ = std::make_unique<TfrmMain>(*session_);
    window_->show();
    window_->EnsureActivated();
}

void MainWindowTest::TearDown() {
    window_.reset();
    session_.reset();
    fs::remove_all(dataRoot_);
}

QWidget* MainWindowTest::KeyWidget(int code) const {
    return window_->Face()->KeyWidget(code);
}

void MainWindowTest::Click(int code) {
    QWidget* key = KeyWidget(code);
    ASSERT_NE(key, nullptr) << code;
    QTest::mouseClick(key, Qt::LeftButton);
}

void MainWindowTest::ClickAll(std::initializer_list<int> codes) {
    for (int code : codes)
        Click(code);
}

void MainWindowTest::Type(int qtKey, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window_->FocusField(), static_cast<Qt::Key>(qtKey), modifiers);
}

const std::string& MainWindowTest::Shown() const {
    return window_->Calculator().State().displayValue;
}

bool MainWindowTest::CellShowsGlyph(int cell, int glyphX) const {
    const QImage panel = window_->Display().DigitPanel();
    const QImage strip = window_->Skin().DigitalNumber();
    const QRect at(244 - 16 * cell, 6, display::kDigitGlyphSize.width,
                   display::kDigitGlyphSize.height);
    const QRect glyph(glyphX, display::kGlyphTop, at.width(), at.height());
    return SamePixels(panel.copy(at), strip.copy(glyph));
}

bool MainWindowTest::StripShowsGlyph(int placeX, int sourceX, int width) const {
    const QImage strip = window_->Display().MarkStrip();
    const QImage marks = window_->Skin().DigitalMark();
    return SamePixels(strip.copy(placeX, 0, width, display::kMarkHeight),
                      marks.copy(sourceX, display::kGlyphTop, width, display::kMarkHeight));
}

QImage MainWindowTest::Painted(QWidget* widget) {
    return widget->grab().toImage();
}

fs::path MainWindowTest::InstallNotingViewer() const {
    const fs::path bin = dataRoot_ / "bin";
    fs::create_directories(bin);
    const fs::path noted = dataRoot_ / "viewer-got";
    std::ofstream(bin / "pemu-popup")
        << "#!/bin/sh\nprintf '%s' \"$1\" > '" << noted.string() << ".part' && mv '"
        << noted.string() << ".part' '" << noted.string() << "'\n";
    fs::permissions(bin / "pemu-popup", fs::perms::owner_all);
    return noted;
}

fs::path NotedPath(const fs::path& noted) {
    for (int i = 0; i < 500 && !fs::exists(noted); ++i)
        QThread::msleep(10);
    std::ifstream in(noted, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool SamePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return false;
        }
    }
    return true;
}

}  // namespace pemu::ui::testing_support
