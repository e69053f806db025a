#include "popup_window.hpp"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/codec.hpp"
#include "shell/popup_file.hpp"

namespace {

// Room for the frame of the text area and its scroll bar.
constexpr int kMargin = 40;
constexpr QSize kSmallest(240, 120);
constexpr QSize kLargest(900, 640);
// Placed this far right and below the asking window's corner.
constexpr int kOffset = 24;

}  // namespace

PopupWindow::PopupWindow(const QString& path, const std::string& cp932Text) {
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("Pemu ポップアップ: ") + name);
    setAttribute(Qt::WA_DeleteOnClose);

    QString shown = QString::fromStdString(pemu::platform::Cp932ToUtf8(cp932Text));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_ = new QTextEdit(this);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QTextEdit::NoWrap);
    text_->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(16);
    text_->setFont(font);
    text_->setPlainText(shown);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);

    // As large as the text, within reason.
    const QFontMetrics metrics(font);
    int widest = 0;
    const QStringList lines = shown.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const QSize wanted(widest + kMargin,
                       metrics.lineSpacing() * static_cast<int>(lines.size()) + kMargin);
    resize(wanted.expandedTo(kSmallest).boundedTo(kLargest));

    const auto at = pemu::shell::PopupFilePosition(name.toStdString());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (at && screen) {
        const QRect area = screen->availableGeometry();
        const int left =
            std::clamp(at->x + kOffset, area.left(), std::max(area.left(), area.right() - width()));
        const int top =
            std::clamp(at->y + kOffset, area.top(), std::max(area.top(), area.bottom() - height()));
        move(left, top);
    }
    text_->moveCursor(QTextCursor::End);
}

void PopupWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
