#pragma once
// The right-click popup of the face (`MigiKuriPop`) and the popup of the tray icon
// (`TaskBarPop`). Switch items carry their tag (11 to 16) as the action's data and show
// their current value in a second column.
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace pemu::ui {

struct SwitchState;

struct FacePopup {
    QMenu* MigiKuriPop = nullptr;
    QMenu* R1 = nullptr;  // "スイッチ (&S)": the six switch items
    QAction* RoundConfigPop = nullptr;
    QAction* DecimalConfigPop = nullptr;
    QAction* DigitConfigPop = nullptr;
    QAction* MakerConfigPop = nullptr;
    QAction* AnswerCheckConfigPop = nullptr;
    QAction* GrandTotalConfgPop = nullptr;
    QAction* DoingCopyp = nullptr;
    QAction* pKeyPanelOn = nullptr;
    QAction* NaviConfig = nullptr;
    QAction* popMenuClose = nullptr;
};

struct TrayPopup {
    QMenu* TaskBarPop = nullptr;
    QAction* TaskbarRelease = nullptr;
    QAction* Pop_Task_End = nullptr;
};

FacePopup BuildFacePopup(QWidget* parent);
TrayPopup BuildTrayPopup(QWidget* parent);

// Sets the second column of the switch items to the current values.
void RefreshSwitchValues(const FacePopup& popup, const SwitchState& state);

}  // namespace pemu::ui
