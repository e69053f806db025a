#pragma once
// The main menu bar of the calculator window: three menus whose items are named as the
// window refers to them. Items of windows this program does not have stay present and
// disabled.
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace pemu::ui {

struct SwitchState;

struct MainMenu {
    // "表示(&V)"
    QMenu* view = nullptr;
    QAction* KenzanFormOpen = nullptr;
    QAction* SushikiFormOpen = nullptr;
    QAction* BigPanelOpen = nullptr;
    QAction* LogFormOpen = nullptr;
    QAction* KeyNavigation = nullptr;
    QAction* SkinFromOpen = nullptr;
    QAction* MoveToCenter = nullptr;
    QAction* IsMemoryLocation = nullptr;
    QAction* DoingMiniSize = nullptr;
    QAction* ButtonDisplay = nullptr;
    QAction* IsForeground = nullptr;
    QAction* IsTaskBarIn = nullptr;
    QAction* DoingQuit = nullptr;
    QAction* MainMenuFileClose = nullptr;
    // "設定(&O)"
    QMenu* options = nullptr;
    QAction* RoundConfig = nullptr;
    QAction* DecimalConfig = nullptr;
    QAction* DigitConfig = nullptr;
    QAction* MakerConfig = nullptr;
    QAction* AnswerCheckConfig = nullptr;
    QAction* GrandTotalConfig = nullptr;
    QAction* IsTakeOverMemory = nullptr;
    QAction* KeyConfig = nullptr;
    QAction* TaxConfig = nullptr;
    QAction* MainMenuOptionClose = nullptr;
    // "ヘルプ(&H) "
    QMenu* help = nullptr;
    QAction* UpdateCheck = nullptr;
    QAction* PemuHelp = nullptr;
    QAction* OstrivelHp = nullptr;
    QAction* VersionInfo = nullptr;
    QAction* MainManuHelpClose = nullptr;
};

// Builds the menus into `bar`; actions are owned by their menus.
MainMenu BuildMainMenu(QMenuBar* bar);

// The switch item (11 to 16) a settings-menu action opens, 0 for any other action.
int SwitchItemOfAction(const MainMenu& menu, const QAction* action);

// Rebuilds the six switch captions of the settings menu from the current values:
// fixed text, value name and one blank.
void RefreshSwitchCaptions(const MainMenu& menu, const SwitchState& state);

}  // namespace pemu::ui
