#pragma once
// The popup viewer's window: the text of one file, read-only, right-aligned in a fixed-pitch
// font, sized to the text and placed near the window that asked for it. The file is only
// read, never changed or deleted.
#include <QTextEdit>
#include <QWidget>
#include <string>

class PopupWindow : public QWidget {
  public:
    // `path` as given on the command line; `cp932Text` its contents.
    PopupWindow(const QString& path, const std::string& cp932Text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextEdit* text_ = nullptr;
};
