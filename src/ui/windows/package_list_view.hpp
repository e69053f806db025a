#pragma once
// The package list of the skin chooser, drawn into an image as a ruled grid: a header row
// "スキン名" (and "作者名" when the author column is shown) and one row per package. It only
// draws, moves its selection (arrows, page keys, clicks, wheel) and reports.
#include <QImage>
#include <QWidget>
#include <vector>

#include "shell/skin_packages.hpp"

class QScrollBar;

namespace pemu::ui {

class PackageListView : public QWidget {
    Q_OBJECT
  public:
    explicit PackageListView(QWidget* parent);

    // The selection goes to the first entry (none when empty).
    void SetEntries(std::vector<shell::PackageEntry> entries);
    void SetShowAuthor(bool on);
    // Greyed and taking no clicks: the standard skin is in use.
    void SetGreyed(bool greyed);

    int Current() const { return current_; }
    // The selected package, or null.
    const shell::PackageEntry* CurrentEntry() const;
    int Count() const { return static_cast<int>(entries_.size()); }
    void SetCurrent(int row);

  signals:
    void currentChanged(int row);
    void activated(int row);  // double click
    void contextMenuRequested(QPoint globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Redraw();
    int VisibleRows() const;
    int RowAt(int y) const;
    void ScrollToCurrent();

    std::vector<shell::PackageEntry> entries_;
    QImage image_;
    QScrollBar* bar_ = nullptr;
    int current_ = -1;
    int top_ = 0;
    int rowHeight_ = 20;
    bool showAuthor_ = false;
    bool greyed_ = false;
};

}  // namespace pemu::ui
