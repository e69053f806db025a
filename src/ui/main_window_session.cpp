// The calculator window's side of the start-up and shut-down sequences and of the
// messages between running copies.
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "shell/child_instance.hpp"
#include "shell/settings_keys.hpp"
#include "ui/main_window.hpp"
#include "ui/task_tray.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/update_check.hpp"

namespace pemu::ui {

// ---- shell::ActivationHost ------------------------------------------------------------

void TfrmMain::ShowPerTypeMessage(const std::string& messageCp932) {
    QMessageBox::information(this, "Pemu", FromCp932(messageCp932));
    calc_->StartAsCasio();
    Keys().RefreshKeys();
}

void TfrmMain::ReadSettings(const shell::SettingsStore& store) {
    menu_.IsTakeOverMemory->setChecked(context_->memory().MemoryRead());
    context_->ReadEngineSettings(store);
    GiveFocus(calc_->TakeFocus());
    context_->updateCheck().ReadSettings(store);
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

void TfrmMain::OpenWindow(char code) {
    context_->windows().Reopen(code);
}

void TfrmMain::KeyTableLoaded(const shell::KeyTable& table) {
    if (menu_.KeyNavigation->isChecked()) {
        context_->navigation().Show(table);
        Keys().RefreshKeys();
    }
    TFocus->setFocus();
    // Once the start has settled: a question it may ask runs its own events.
    QTimer::singleShot(0, this, [this] { context_->updateCheck().AutoCheckAtStart(); });
}

// ---- shell::FinalSaveHost -------------------------------------------------------------

void TfrmMain::RemoveTrayIcon() {
    tray_->Remove();
}

void TfrmMain::WriteSettings(shell::SettingsStore& store) {
    shell::Write(store, shell::keys::kStartUpTop, y());
    shell::Write(store, shell::keys::kStartUpLeft, x());
    context_->WriteEngineSettings(store, menu_.IsTakeOverMemory->isChecked());
    context_->updateCheck().WriteSettings(store);
    shell::Write(store, shell::keys::kKeyButtonOn, menu_.ButtonDisplay->isChecked());
    shell::Write(store, shell::keys::kFrontSideOn, menu_.IsForeground->isChecked());
    shell::Write(store, shell::keys::kKeyPanelOn, menu_.DoingMiniSize->isChecked());
    shell::Write(store, shell::keys::kTaskBarIn, menu_.IsTaskBarIn->isChecked());
    shell::Write(store, shell::keys::kStartUpEndOn, menu_.IsMemoryLocation->isChecked());
    shell::Write(store, shell::keys::kKeyNaviOn, menu_.KeyNavigation->isChecked());
}

void TfrmMain::FlushSettingNotes() {
    context_->tape().FlushSettingNotes();
}

std::string TfrmMain::ClearedText() {
    return context_->tape().Log().ClearedText();
}

std::string TfrmMain::TapeText() {
    return context_->tape().Log().TapeText();
}

// ---- Messages from other running copies -----------------------------------------------

void TfrmMain::OnInstanceMessages() {
    for (const shell::InstanceMessage message : session_.channel()->TakeMessages()) {
        switch (message) {
            case shell::InstanceMessage::kRestoreAndShow:
                // A child cannot see whether this window is hidden, so it always asks; only
                // a window hidden in the tray comes back.
                if (!isVisible()) {
                    showNormal();
                    context_->windows().ShowAll(true);
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
