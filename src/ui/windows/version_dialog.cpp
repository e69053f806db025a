#include "ui/windows/version_dialog.hpp"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "display/system_colours.hpp"
#include "shell/version_info.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                 const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->adjustSize();
    label->move(at);
    return label;
}

}  // namespace

TfrmVer::TfrmVer(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kVersion, "バージョン情報") {
    setObjectName("frmVer");
    setFixedSize(293, 201);
    auto* frame = new QFrame(this);  // the raised frame of the whole window
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(rect());

    // The white box, its border black; the window's coordinates less its own place.
    auto* box = new QFrame(this);
    box->setObjectName("Box");
    box->setGeometry(10, 10, 276, 152);
    box->setStyleSheet(QStringLiteral("QFrame#Box { background: %1; border: 1px solid black; }")
                           .arg(display::ColourOf(display::SystemColour::kWindow).name()));

    const QFont font = display::FontFor("ＭＳ Ｐゴシック", 9);
    QFont bold = font;
    bold.setBold(true);
    QLabel* software = AddLabel(box, "SoftwareLabel", Caption("ソフトウェア:"), {0, 0}, font);
    // Right-aligned so that it ends just before the product text.
    software->setGeometry(24 - 10, 24 - 10, 96 - 24 - 4, software->height());
    software->setAlignment(Qt::AlignRight | Qt::AlignTop);
    AddLabel(box, "ProductText", FromCp932(shell::RunningProductText()), {96 - 10, 24 - 10}, bold);
    // What the program is, under its name.
    const char* descriptions[] = {"Description1", "Description2"};
    for (std::size_t i = 0; i < shell::DescriptionLines().size(); ++i)
        AddLabel(box, descriptions[i], FromCp932(shell::DescriptionLines()[i]),
                 {96 - 10, 46 + static_cast<int>(i) * 16 - 10}, font);
    const char* names[] = {"Notice1", "Notice2", "Notice3"};
    int y = 90;
    for (std::size_t i = 0; i < shell::NoticeLines().size(); ++i, y += 15)
        AddLabel(box, names[i], FromCp932(shell::NoticeLines()[i]), {84 - 10, y - 10}, font);

    CloseRun = new QPushButton(Caption("閉じる"), this);
    CloseRun->setObjectName("CloseRun");
    CloseRun->setGeometry(186, 172, 75, 25);
    connect(CloseRun, &QPushButton::clicked, this, &QWidget::close);
    CloseRun->setFocus();
}

}  // namespace pemu::ui
