#pragma once
// TfrmVer, "バージョン情報": the product with the running version and three notice lines.
#include "ui/windows/secondary_window.hpp"

class QPushButton;

namespace pemu::ui {

class TfrmVer : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmVer(AppContext& context);

  private:
    QPushButton* CloseRun = nullptr;
};

}  // namespace pemu::ui
