#pragma once
// TfrmSushiki, the formula window: an input area typed into or filled from the input
// buttons, Calculate, the normalised formula or the numbered message in the message area
// and the answer, grouped or plain, in the answer area. It keeps its options and size in
// the settings and, on request, its texts in the formula text file between runs. The
// check, the evaluation and the layout of the outcome live in formula/; this draws and
// forwards. Controls carry the names the window refers to them by (objectName).
#include <QImage>
#include <string>
#include <vector>

#include "display/grid_image.hpp"
#include "formula/formula_run.hpp"
#include "shell/formula_window_settings.hpp"
#include "ui/app_context.hpp"
#include "ui/windows/formula_runner.hpp"
#include "ui/windows/secondary_window.hpp"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace pemu::ui {

class TfrmSushiki : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmSushiki(AppContext& context);
    ~TfrmSushiki() override;

    // True while a calculation runs (its outcome not shown yet).
    bool Calculating() const { return runner_.Running(); }
    // The last result, "error" after a failed calculation, empty after C.
    const std::string& LastAnswer() const { return lastAnswer_; }
    // Bytes on a line of the message and answer areas at their present width.
    int WrapWidth() const;

  protected:
    void WriteSettings() override;
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Controls, menus and the status line (formula_window_controls.cpp).
    void BuildControls();
    void BuildMenus();
    void BuildButtonPanel();
    void BuildDigitPanel();
    QPushButton* AddButton(QWidget* parent, const char* name, std::string_view caption);
    void ApplyFont();
    void ApplyColours();
    void ShowFamily(core::KeyFamily family);
    void DrawStatus();

    // Behaviour (formula_window.cpp).
    void LoadFormulaText();
    void LayOut();
    void Rewrap();
    void Calculate();
    void PressEqualsBriefly();
    void ShowOutcome(const formula::FormulaOutcome& outcome);
    void ShowMessage();
    void ShowAnswer();
    void SetGroup(int group);
    void InsertIntoInput(const QString& text);
    void EditInput(std::string_view button);
    void ClearAll();
    void OpenHelp();

    shell::FormulaWindowSettings settings_;
    core::KeyFamily family_ = core::kMakerSharp;
    // The message area before wrapping, one entry per paragraph.
    std::vector<std::string> messageParagraphs_;
    std::string lastAnswer_;
    QSize laidOut_;

    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QLabel* LabMsg = nullptr;
    QLabel* LabAns = nullptr;
    QLabel* LabCalc = nullptr;
    QFrame* MsgWaku = nullptr;
    QFrame* AnsWaku = nullptr;
    QFrame* CalcWaku = nullptr;
    QPlainTextEdit* Msg = nullptr;
    QPlainTextEdit* Ans = nullptr;
    QPlainTextEdit* Calc = nullptr;
    QWidget* ButtonPanel = nullptr;
    QWidget* DigitPanel = nullptr;
    QButtonGroup* kugiri_ = nullptr;
    QComboBox* MaxSeisubu = nullptr;
    QComboBox* MaxSyosubu = nullptr;
    QPushButton* btEq = nullptr;
    QPushButton* btCE = nullptr;
    QPushButton* btC = nullptr;
    QLabel* Status = nullptr;
    QLabel* SizeChangeMark = nullptr;
    QImage statusImage_;
    display::TStatusGrid statusGrid_{statusImage_};

    AppContext::FamilyListeners::Subscription familyListener_;
    FormulaRunner runner_;
};

}  // namespace pemu::ui
