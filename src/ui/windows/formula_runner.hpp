#pragma once
// One formula run at a time off the user-interface thread: a long formula at 100 digits can
// take a noticeable time, and the window must stay responsive meanwhile. A busy cursor shows
// when a run takes longer than a moment. The run has its own precision settings, so the
// calculator's stay untouched.
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "formula/formula_run.hpp"

namespace pemu::ui {

class FormulaRunner : public QObject {
  public:
    using Done = std::function<void(const formula::FormulaOutcome&)>;
    // The work of one run, on a pool thread: by default the check and the evaluation with
    // precision settings of its own.
    using Compute = std::function<formula::FormulaOutcome(const std::string& cp932Formula,
                                                          const formula::FormulaSettings&)>;
    static formula::FormulaOutcome RunWithOwnPrecision(const std::string& cp932Formula,
                                                       const formula::FormulaSettings& settings);

    // `done` runs on the user-interface thread with each outcome, unless the runner has
    // gone by then (its window closed while the run went on).
    explicit FormulaRunner(Done done, Compute compute = RunWithOwnPrecision);
    ~FormulaRunner() override;

    bool Running() const { return running_; }
    // False, starting nothing, while a run is under way.
    bool Start(std::string cp932Formula, const formula::FormulaSettings& settings);

    // After this long a run shows the busy cursor.
    static constexpr int kBusyCursorDelayMs = 200;

  private:
    void Finish();
    void ShowBusy(bool busy);

    Done done_;
    Compute compute_;
    QFutureWatcher<formula::FormulaOutcome> watcher_;
    QTimer busyDelay_;
    bool running_ = false;
    bool busy_ = false;
};

}  // namespace pemu::ui
