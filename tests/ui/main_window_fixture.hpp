#pragma once
// A calculator window on a fresh data folder, under the offscreen platform.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <filesystem>
#include <memory>
#include <string>

#include "shell/shell_session.hpp"
#include "ui/main_window.hpp"

namespace pemu::ui::testing_support {

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts the window; `withSettingsFile` puts an empty Pemu.ini in place first (the
    // final save only writes into an existing one).
    void Start(bool withSettingsFile = true);
    // As Start, with the role decided by `channel` (a primary when null).
    void StartWith(std::unique_ptr<shell::InstanceChannel> channel);

    QWidget* KeyWidget(int code) const;
    // Left click (press and release) on a key picture.
    void Click(int code);
    void ClickAll(std::initializer_list<int> codes);
    void Type(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    const std::string& Shown() const;
    // True when display cell `cell` (1 = rightmost) shows the digit strip glyph at `glyphX`.
    bool CellShowsGlyph(int cell, int glyphX) const;
    // True when the mark strip at `placeX` shows the mark glyph at `sourceX`, `width` wide.
    bool StripShowsGlyph(int placeX, int sourceX, int width) const;
    // The widget's pixels as painted on screen.
    static QImage Painted(QWidget* widget);
    // A popup viewer in this run's program folder that only notes the path it is given; the
    // file it notes it in.
    std::filesystem::path InstallNotingViewer() const;

    std::filesystem::path dataRoot_;
    std::unique_ptr<shell::ShellSession> session_;
    std::unique_ptr<TfrmMain> window_;
};

// The path a noting viewer was given, once it has run (5 s at most); empty when it did not.
std::filesystem::path NotedPath(const std::filesystem::path& noted);

// Two images of the same size with the same colours (alpha ignored).
bool SamePixels(const QImage& a, const QImage& b);

}  // namespace pemu::ui::testing_support
