#pragma once
// TfrmZeiritu, "税率設定": the tax rate entered as a percentage. The check and the conversion
// are shell::CheckTaxEntry; the dialog sets the engine's rate, notes it on the tape and keeps
// it in [Tax] "Zeiritu".
#include <QImage>
#include <memory>

#include "display/message_image.hpp"
#include "ui/windows/secondary_window.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pemu::ui {

class TfrmZeiritu : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmZeiritu(AppContext& context);
    ~TfrmZeiritu() override;

    // The update command (button `Ok`, Enter in the field).
    void UpdateRate();

  protected:
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;

  private:
    QLineEdit* Zeiritu = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Cancell = nullptr;
    QLabel* messageArea_ = nullptr;
    QImage messageImage_;
    std::unique_ptr<display::TMsgImg> message_;
};

}  // namespace pemu::ui
