#include "ui/context_menus.hpp"

#include <QAction>
#include <QMenu>

#include "ui/switch_items.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

QAction* Add(QMenu* menu, const char* name, std::string_view caption, int tag,
             bool checkable = false) {
    QAction* action = menu->addAction(Caption(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setData(tag);
    action->setCheckable(checkable);
    return action;
}

struct SwitchEntry {
    QAction* FacePopup::*action;
    const char* name;
    int item;
    const char* caption;
};

constexpr SwitchEntry kSwitchEntries[] = {
    {&FacePopup::RoundConfigPop, "RoundConfigPop", kRoundItem, "ラウンドセレクター (&R)"},
    {&FacePopup::DecimalConfigPop, "DecimalConfigPop", kDecimalItem, "小数点セレクター (&S)"},
    {&FacePopup::DigitConfigPop, "DigitConfigPop", kDigitItem, "Digit(電卓の桁数) (&D)"},
    {&FacePopup::MakerConfigPop, "MakerConfigPop", kMakerItem, "電卓のメーカー  (&M)"},
    {&FacePopup::AnswerCheckConfigPop, "AnswerCheckConfigPop", kAnswerCheckItem,
     "アンサーチェック (&A)"},
    {&FacePopup::GrandTotalConfgPop, "GrandTotalConfgPop", kGrandTotalItem,
     "グランドトータル (&G)"},
};

}  // namespace

FacePopup BuildFacePopup(QWidget* parent) {
    FacePopup p;
    p.MigiKuriPop = new QMenu(parent);
    p.MigiKuriPop->setObjectName("MigiKuriPop");
    p.R1 = p.MigiKuriPop->addMenu(Caption("スイッチ (&S)"));
    p.R1->setObjectName("R1");
    p.R1->menuAction()->setData(0);
    for (const SwitchEntry& e : kSwitchEntries) {
        p.*e.action = Add(p.R1, e.name, e.caption, e.item);
    }
    p.DoingCopyp = Add(p.MigiKuriPop, "DoingCopyp", "クリップボードへコピー (&C)", 1);
    p.pKeyPanelOn = Add(p.MigiKuriPop, "pKeyPanelOn", "ミニサイズ表示 (&M)", 2, true);
    p.NaviConfig = Add(p.MigiKuriPop, "NaviConfig", "ナビ表示 (&N)", 3, true);
    p.popMenuClose = Add(p.MigiKuriPop, "popMenuClose", "メニューを閉じる (&X)", 4);
    return p;
}

TrayPopup BuildTrayPopup(QWidget* parent) {
    TrayPopup p;
    p.TaskBarPop = new QMenu(parent);
    p.TaskBarPop->setObjectName("TaskBarPop");
    p.TaskbarRelease = Add(p.TaskBarPop, "TaskbarRelease", "常駐を解除する (&K)", 0);
    p.Pop_Task_End = Add(p.TaskBarPop, "Pop_Task_End", "Pemuの終了 (&X)", 1);
    return p;
}

void RefreshSwitchValues(const FacePopup& popup, const SwitchState& state) {
    for (const SwitchEntry& e : kSwitchEntries) {
        // Text after a tab is drawn in the menu's second column.
        const std::string name = SwitchValueName(e.item, state.ValueOf(e.item));
        (popup.*e.action)->setText(Caption(e.caption) + '\t' + QString::fromStdString(name));
    }
}

}  // namespace pemu::ui
