// Click to repaint: a left click on a key picture of the real window, through the engine,
// until the display and the key are painted again and flushed to the screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "shell/shell_session.hpp"
#include "ui/face_widget.hpp"
#include "ui/main_window.hpp"

namespace {

struct Window {
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / "pemu-click-repaint-bench";
    std::unique_ptr<pemu::shell::ShellSession> session;
    std::unique_ptr<pemu::ui::TfrmMain> window;

    Window() {
        std::filesystem::remove_all(root);
        session = std::make_unique<pemu::shell::ShellSession>(root.string(),
                                                              (root / "bin").string(), nullptr);
        window = std::make_unique<pemu::ui::TfrmMain>(*session);
        window->show();
        window->EnsureActivated();
        QCoreApplication::processEvents();
    }
    ~Window() {
        window.reset();
        session.reset();
        std::filesystem::remove_all(root);
    }
};

void Click(QWidget* key) {
    QTest::mouseClick(key, Qt::LeftButton);
    QCoreApplication::processEvents();  // paints and flushes the backing store
}

void BM_ClickToRepaint(benchmark::State& state) {
    Window w;
    QWidget* digit = w.window->Face()->KeyWidget(27);
    QWidget* clear = w.window->Face()->KeyWidget(16);
    int typed = 0;
    for (auto _ : state) {
        Click(digit);
        if (++typed == 12) {  // stay inside the display width
            state.PauseTiming();
            Click(clear);
            typed = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_ClickToRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
