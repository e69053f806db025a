#include "ui/windows/tax_rate_dialog.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

#include "display/system_colours.hpp"
#include "platform/virtual_keys.hpp"
#include "shell/settings_keys.hpp"
#include "shell/tax_rate.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

QLabel* AddLabel(QWidget* parent, std::string_view caption, const QRect& place) {
    auto* label = new QLabel(Caption(caption), parent);
    label->setGeometry(place);
    return label;
}

}  // namespace

TfrmZeiritu::TfrmZeiritu(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kTaxRate, "税率設定") {
    setObjectName("frmZeiritu");
    setFixedSize(320, 206);
    auto* group = new QGroupBox(QStringLiteral("Tax"), this);
    group->setGeometry(8, 4, 304, 194);

    messageArea_ = new QLabel(group);
    messageArea_->setObjectName("MessageArea");
    messageArea_->setGeometry(12, 22, 280, 52);
    messageImage_ = QImage(280, 52, QImage::Format_RGB32);
    message_ = std::make_unique<display::TMsgImg>(
        messageImage_, [this] { messageArea_->setPixmap(QPixmap::fromImage(messageImage_)); });

    AddLabel(group, "税率", QRect(62, 86, 36, 22))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Zeiritu = new QLineEdit(group);
    Zeiritu->setObjectName("Zeiritu");
    Zeiritu->setGeometry(104, 84, 96, 26);
    Zeiritu->setMaxLength(10);
    Zeiritu->setAlignment(Qt::AlignCenter);
    Zeiritu->setAttribute(Qt::WA_InputMethodEnabled, false);
    AddLabel(group, "％", QRect(206, 86, 24, 22));
    AddLabel(group, "(例) 税率8％の場合　正：8  誤：0.08", QRect(12, 118, 284, 20))
        ->setAlignment(Qt::AlignCenter);

    Ok = new QPushButton(Caption("更新(&U)"), group);
    Ok->setObjectName("Ok");
    Ok->setGeometry(42, 150, 100, 30);
    Cancell = new QPushButton(Caption("閉じる(&X)"), group);
    Cancell->setObjectName("Cancell");
    Cancell->setGeometry(162, 150, 100, 30);
    connect(Ok, &QPushButton::clicked, this, &TfrmZeiritu::UpdateRate);
    connect(Cancell, &QPushButton::clicked, this, &QWidget::close);

    message_->ShowText(shell::TaxDialogGreeting());
    Zeiritu->setText(FromCp932(shell::TaxPercentText(context.calculator().State().taxRate)));
    Zeiritu->selectAll();
    Zeiritu->setFocus();
}

TfrmZeiritu::~TfrmZeiritu() = default;

void TfrmZeiritu::UpdateRate() {
    AppContext& app = context();
    const shell::TaxEntryCheck check =
        shell::CheckTaxEntry(ToCp932(Zeiritu->text()), app.calculator().State().taxRate);
    Zeiritu->setText(FromCp932(check.entry));
    switch (check.outcome) {
        case shell::TaxEntryOutcome::kInvalid:
            QMessageBox::warning(this, "Pemu", FromCp932(check.message));
            Zeiritu->setFocus();
            return;
        case shell::TaxEntryOutcome::kSameRate:
            QMessageBox::information(this, "Pemu", FromCp932(check.message));
            return;
        case shell::TaxEntryOutcome::kChanged:
            app.calculator().SetTaxRate(check.rate);
            app.tape().NoteTaxRate(check.entry);
            shell::Write(app.store(), shell::keys::kZeiritu, check.rate);
            message_->ShowText(check.message);
            return;
    }
}

bool TfrmZeiritu::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    const bool plain = !modifiers.shift && !modifiers.ctrl && !modifiers.alt;
    if (virtualKey != vk::kReturn || !plain || focusWidget() != Zeiritu) return false;
    UpdateRate();
    return true;
}

}  // namespace pemu::ui
