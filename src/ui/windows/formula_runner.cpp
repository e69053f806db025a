#include "ui/windows/formula_runner.hpp"

#include <QCursor>
#include <QGuiApplication>
#include <QPromise>
#include <QThreadPool>
#include <memory>
#include <utility>

#include "arithmetic/context.hpp"

namespace pemu::ui {

formula::FormulaOutcome FormulaRunner::RunWithOwnPrecision(
    const std::string& cp932Formula, const formula::FormulaSettings& settings) {
    arith::ArithContext ctx;
    return formula::RunFormula(ctx, cp932Formula, settings);
}

FormulaRunner::FormulaRunner(Done done, Compute compute)
    : done_(std::move(done)), compute_(std::move(compute)) {
    busyDelay_.setSingleShot(true);
    busyDelay_.setInterval(kBusyCursorDelayMs);
    connect(&busyDelay_, &QTimer::timeout, this, [this] { ShowBusy(true); });
    connect(&watcher_, &QFutureWatcherBase::finished, this, &FormulaRunner::Finish);
}

FormulaRunner::~FormulaRunner() {
    // A run still going on finishes in the thread pool and is dropped.
    watcher_.disconnect(this);
    ShowBusy(false);
}

bool FormulaRunner::Start(std::string cp932Formula, const formula::FormulaSettings& settings) {
    if (running_) return false;
    running_ = true;
    auto promise = std::make_shared<QPromise<formula::FormulaOutcome>>();
    watcher_.setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start(
        [promise, compute = compute_, text = std::move(cp932Formula), settings] {
            promise->addResult(compute(text, settings));
            promise->finish();
        });
    busyDelay_.start();
    return true;
}

void FormulaRunner::Finish() {
    busyDelay_.stop();
    ShowBusy(false);
    running_ = false;
    const QFuture<formula::FormulaOutcome> future = watcher_.future();
    if (future.resultCount() > 0) done_(future.result());
}

void FormulaRunner::ShowBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    // Busy, not waiting: every window still takes the mouse and the keyboard.
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace pemu::ui
