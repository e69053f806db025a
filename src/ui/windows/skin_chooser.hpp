#pragma once
// TfrmSkinCh, the skin chooser ("スキンの変更 :F6"): six tabs of skin packages, the list,
// the parts now applied, a preview, and the commands apply, clear, all clear, save set,
// rename and delete. What the commands do lives in display/skin_package_actions and
// shell/skin_packages; the window draws, asks and forwards.
#include <QImage>
#include <array>
#include <memory>
#include <string>

#include "display/skin_package_actions.hpp"
#include "ui/windows/secondary_window.hpp"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace pemu::ui {

class PackageListView;

class TfrmSkinCh : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmSkinCh(AppContext& context);
    ~TfrmSkinCh() override;

    // The commands, as the buttons, keys and popup run them.
    void ApplySelected();
    void ClearTab();
    void AllClear();
    void SaveSet();
    void RenameSelected();
    void DeleteSelected();
    void SetTab(int tab);
    int Tab() const;
    PackageListView* List() const { return list_; }

  protected:
    void WriteSettings() override;
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    QWidget* BuildButtons();
    void BuildMenu();
    void RefreshList();
    void RefreshSelection();
    void RefreshAppliedParts(const std::array<bool, shell::kPartCount>& highlights);
    void SetSkinMode(bool custom);
    void ConvertOldCombinations();
    void RemoveOldSkins();
    // A name or author typed, checked and confirmed (CP932), or "" when cancelled.
    std::string AskEntry(const char* title, const char* prompt, const std::string& initial);
    bool AskYesNo(const QString& title, const QString& text);
    void ToggleKeyNavigation();

    display::SkinPackageActions actions_;
    QTabBar* tabs_ = nullptr;
    PackageListView* list_ = nullptr;
    QLabel* applied_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* status_ = nullptr;
    QRadioButton* standard_ = nullptr;
    QRadioButton* custom_ = nullptr;
    QRadioButton* ascending_ = nullptr;
    QRadioButton* descending_ = nullptr;
    QCheckBox* showAuthor_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* allClear_ = nullptr;
    QPushButton* saveSet_ = nullptr;
    QPushButton* rename_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* popupRename_ = nullptr;
    bool firstShown_ = false;
};

}  // namespace pemu::ui
