// The calculator window's side of the start-up and shut-down sequences and of the
// messages between running copies.
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

#include "shell/child_instance.hpp"
#include "ui/main_window.hpp"
#include "ui/task_tray.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {

// ---- shell::ActivationHost ------------------------------------------------------------

void TfrmMain::ShowPerTypeMessage(const std::string& messageCp932) {
    QMessageBox::information(this, "Pemu", FromCp932(messageCp932));
    calc_->StartAsCasio();
    keys_.RefreshKeys();
}

void TfrmMain::ApplySettings(const shell::ActivationSettings& settings) {
    activation_ = settings;
    memory_.SetMemory(settings.memory);
    memory_.SetMemoryOn(settings.memoryOn);
    memory_.SetMemoryRead(settings.memoryRead);
    menu_.IsTakeOverMemory->setChecked(settings.memoryRead);
    core::StartupSettings startup;
    startup.roundSelecter = settings.roundSelector;
    startup.decimalSelecter = settings.decimalSelector;
    startup.panelDigit = settings.panelDigit;
    startup.grandTotal = settings.grandTotal;
    startup.answerCK = settings.answerCheck;
    startup.zeiritu = settings.taxRate;
    startup.kenzanCheck = settings.kenzanCheck;
    startup.kenzanAutoDate = settings.kenzanAutoDate;
    calc_->ApplyStartupSettings(startup, &memory_);
}

void TfrmMain::BecomeChildWindow(const std::string& mainCaption, const std::string&) {
    setWindowTitle(FromCp932(mainCaption));
    QCoreApplication::setApplicationName(
        FromCp932(shell::ApplicationTitle(shell::InstanceRole::kChild)));
    for (QAction* action :
         {menu_.IsMemoryLocation, menu_.IsTaskBarIn, menu_.UpdateCheck, menu_.IsTakeOverMemory}) {
        action->setEnabled(false);
    }
    menu_.MoveToCenter->setVisible(true);
}

void TfrmMain::OpenWindow(char) {}  // no secondary window is built yet

void TfrmMain::KeyTableLoaded(const shell::KeyTable& table) {
    if (menu_.KeyNavigation->isChecked()) {
        navigation_.Show(table);
        keys_.RefreshKeys();
    }
    // The automatic update check belongs to a window not built yet.
    TFocus->setFocus();
}

// ---- shell::FinalSaveHost -------------------------------------------------------------

void TfrmMain::RemoveTrayIcon() {
    tray_->Remove();
}

shell::FinalSettings TfrmMain::CollectFinalSettings() {
    const core::CalculatorState& s = calc_->State();
    memory_.SetMemoryRead(menu_.IsTakeOverMemory->isChecked());
    calc_->SaveMemory(memory_);
    shell::FinalSettings f;
    f.startUpTop = y();
    f.startUpLeft = x();
    f.panelDigit = s.panelDigit;
    f.autoUpdate = activation_.autoUpdate;
    f.keyButtonOn = menu_.ButtonDisplay->isChecked();
    f.answerCheck = s.answerCheckOn;
    f.grandTotal = s.grandTotalOn;
    f.frontSideOn = menu_.IsForeground->isChecked();
    f.keyPanelOn = menu_.DoingMiniSize->isChecked();
    f.taskBarIn = menu_.IsTaskBarIn->isChecked();
    f.startUpEndOn = menu_.IsMemoryLocation->isChecked();
    f.roundSelector = s.roundSelector;
    f.decimalSelector = s.decimalSelector;
    f.dentakuType = s.makerType;
    f.memoryRead = memory_.MemoryRead();
    f.memoryOn = memory_.MemoryOn();
    f.memory = memory_.Memory();
    f.keyNaviOn = menu_.KeyNavigation->isChecked();
    return f;
}

void TfrmMain::FlushSettingNotes() {
    tape_.FlushSettingNotes();
}

std::string TfrmMain::ClearedText() {
    return tape_.Log().ClearedText();
}

std::string TfrmMain::TapeText() {
    return tape_.Log().TapeText();
}

// ---- shell::WindowVisibility ----------------------------------------------------------

void TfrmMain::SetMainWindowVisible(bool visible) {
    setVisible(visible);
    if (visible) {
        raise();
        activateWindow();
    }
}

void TfrmMain::SetWindowVisible(char, bool) {}  // no secondary window is built yet

// ---- Messages from other running copies -----------------------------------------------

void TfrmMain::OnInstanceMessages() {
    for (const shell::InstanceMessage message : session_.channel()->TakeMessages()) {
        switch (message) {
            case shell::InstanceMessage::kRestoreAndShow:
                // A child cannot see whether this window is hidden, so it always asks; only
                // a window hidden in the tray comes back.
                if (!isVisible()) {
                    showNormal();
                    shell::ShowAllWindows(session_.openWindows(), *this, true);
                }
                break;
            case shell::InstanceMessage::kMoveToOrigin:
                if (session_.role() == shell::InstanceRole::kPrimary) move(10, 10);
                showNormal();
                break;
            case shell::InstanceMessage::kClose:
                if (session_.role() == shell::InstanceRole::kChild) close();
                break;
        }
    }
}

}  // namespace pemu::ui
