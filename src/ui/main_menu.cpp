#include "ui/main_menu.hpp"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/switch_items.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

enum Flags { kPlain = 0, kCheckable = 1, kLater = 2 };

// `kLater` marks the windows other parts of the program will open: shown, not usable.
QAction* Add(QMenu* menu, const char* name, std::string_view caption, int flags = kPlain) {
    QAction* action = menu->addAction(Caption(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable((flags & kCheckable) != 0);
    action->setEnabled((flags & kLater) == 0);
    return action;
}

struct SwitchCaption {
    QAction* MainMenu::*action;
    int item;
    const char* text;
};

constexpr SwitchCaption kSwitchCaptions[] = {
    {&MainMenu::RoundConfig, kRoundItem, "ラウンドセレクター (&R) …"},
    {&MainMenu::DecimalConfig, kDecimalItem, "小数点セレクター (&D) …"},
    {&MainMenu::DigitConfig, kDigitItem, "Digit (有効桁数) (&G) …"},
    {&MainMenu::MakerConfig, kMakerItem, "電卓のメーカー (&M) …"},
    {&MainMenu::AnswerCheckConfig, kAnswerCheckItem, "アンサーチェック (&A) …"},
    {&MainMenu::GrandTotalConfig, kGrandTotalItem, "グランドトータル (&T) …"},
};

void BuildView(MainMenu& m, QMenuBar* bar) {
    m.view = bar->addMenu(Caption("表示(&V)"));
    m.view->setObjectName("ViewMenu");
    m.KenzanFormOpen = Add(m.view, "KenzanFormOpen", "検算フォーム (&E) ：F1", kCheckable | kLater);
    m.SushikiFormOpen = Add(m.view, "SushikiFormOpen", "数式計算 (&F) ：F2", kCheckable | kLater);
    m.BigPanelOpen = Add(m.view, "BigPanelOpen", "拡大パネル (&P) ：F3", kCheckable | kLater);
    m.LogFormOpen = Add(m.view, "LogFormOpen", "ログ表示 (&L) ：F4", kCheckable | kLater);
    m.KeyNavigation = Add(m.view, "KeyNavigation", "キーナビゲーション (&N) ：Space ", kCheckable);
    m.SkinFromOpen = Add(m.view, "SkinFromOpen", "スキンの変更 (&S) ：F6", kCheckable | kLater);
    m.view->addSeparator();
    m.MoveToCenter = Add(m.view, "MoveToCenter", "Pemu（親起動）をメインモニタへ");
    m.MoveToCenter->setVisible(false);
    m.IsMemoryLocation = Add(m.view, "IsMemoryLocation", "フォームの位置を記憶 (&O)", kCheckable);
    m.DoingMiniSize = Add(m.view, "DoingMiniSize", "ミニサイズ表示  (&M)", kCheckable);
    m.ButtonDisplay = Add(m.view, "ButtonDisplay", "ボタン表示    (&B)", kCheckable);
    m.IsForeground = Add(m.view, "IsForeground", "常に手前に表示 (&A)", kCheckable);
    m.IsTaskBarIn = Add(m.view, "IsTaskBarIn", "タスクバーに常駐 (&T)", kCheckable);
    m.view->addSeparator();
    m.DoingQuit = Add(m.view, "DoingQuit", "Pemuの終了 (&Z)");
    m.MainMenuFileClose = Add(m.view, "MainMenuFileClose", "メニューを閉じる (&X)");
}

void BuildOptions(MainMenu& m, QMenuBar* bar) {
    m.options = bar->addMenu(Caption("設定(&O)"));
    m.options->setObjectName("OptionMenu");
    static constexpr const char* kNames[] = {"RoundConfig",       "DecimalConfig",
                                             "DigitConfig",       "MakerConfig",
                                             "AnswerCheckConfig", "GrandTotalConfig"};
    int i = 0;
    for (const SwitchCaption& c : kSwitchCaptions)
        m.*c.action = Add(m.options, kNames[i++], c.text);
    m.options->addSeparator();
    m.IsTakeOverMemory =
        Add(m.options, "IsTakeOverMemory", "終了後もメモリーを記憶 (&E)", kCheckable);
    m.KeyConfig = Add(m.options, "KeyConfig", "キー設定 (&K)", kCheckable | kLater);
    m.TaxConfig = Add(m.options, "TaxConfig", "税率の設定　(&Z)", kCheckable | kLater);
    m.options->addSeparator();
    m.MainMenuOptionClose = Add(m.options, "MainMenuOptionClose", "メニューを閉じる (&X)");
}

void BuildHelp(MainMenu& m, QMenuBar* bar) {
    m.help = bar->addMenu(Caption("ヘルプ(&H) "));
    m.help->setObjectName("HelpMenu");
    m.UpdateCheck = Add(m.help, "UpdateCheck", "バージョンアップの確認 (&U)", kCheckable | kLater);
    m.PemuHelp = Add(m.help, "PemuHelp", "ヘルプ (&H)");
    // The maker's home page has no address in this build.
    m.OstrivelHp = Add(m.help, "OstrivelHp", "ホームページ (&P)", kLater);
    m.VersionInfo = Add(m.help, "VersionInfo", "バージョン情報 (&A)", kCheckable | kLater);
    m.help->addSeparator();
    m.MainManuHelpClose = Add(m.help, "MainManuHelpClose", "メニューを閉じる (&X)");
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar) {
    MainMenu menu;
    BuildView(menu, bar);
    BuildOptions(menu, bar);
    BuildHelp(menu, bar);
    return menu;
}

int SwitchItemOfAction(const MainMenu& menu, const QAction* action) {
    for (const SwitchCaption& c : kSwitchCaptions) {
        if (menu.*c.action == action) return c.item;
    }
    return 0;
}

void RefreshSwitchCaptions(const MainMenu& menu, const SwitchState& state) {
    for (const SwitchCaption& c : kSwitchCaptions) {
        const std::string name = SwitchValueName(c.item, state.ValueOf(c.item));
        (menu.*c.action)->setText(Caption(c.text) + QString::fromStdString(name) + ' ');
    }
}

}  // namespace pemu::ui
