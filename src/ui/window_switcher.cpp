#include "ui/window_switcher.hpp"

#include <QAction>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <utility>

#include "platform/codec.hpp"
#include "shell/child_instance.hpp"
#include "shell/settings_keys.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui {
namespace {

using shell::WindowCode;

platform::Rect RectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QMargins MarginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

std::vector<platform::Rect> WorkAreas() {
    std::vector<platform::Rect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(RectOf(screen->availableGeometry()));
    return areas;
}

// The task bar is where the screen's work area stops short of the screen.
shell::TaskBar TaskBarOf(const QScreen* screen) {
    if (!screen) return {};
    const QRect all = screen->geometry();
    const QRect work = screen->availableGeometry();
    if (work.left() > all.left())
        return {shell::TaskBarEdge::kLeft,
                {all.left(), all.top(), work.left() - all.left(), all.height()}};
    if (work.right() < all.right())
        return {shell::TaskBarEdge::kRight,
                {work.right() + 1, all.top(), all.right() - work.right(), all.height()}};
    return {};
}

}  // namespace

WindowSwitcher::WindowSwitcher(AppContext& context) : context_(context) {}

WindowSwitcher::~WindowSwitcher() {
    // Windows still open belong to no one else; they go with the run.
    for (auto& [code, window] : std::exchange(open_, {})) {
        disconnect(window, nullptr, this, nullptr);
        delete window;
    }
}

void WindowSwitcher::Register(WindowCode code, Factory make) {
    factories_[code] = std::move(make);
}

bool WindowSwitcher::IsRegistered(WindowCode code) const {
    return factories_.count(code) > 0;
}

SecondaryWindow* WindowSwitcher::Window(WindowCode code) const {
    const auto it = open_.find(code);
    return it == open_.end() ? nullptr : it->second;
}

bool WindowSwitcher::IsOpen(WindowCode code) const {
    return Window(code) != nullptr;
}

void WindowSwitcher::Toggle(WindowCode code, bool focusOnly) {
    if (!IsRegistered(code)) return;
    const bool opening = !IsOpen(code);
    const bool raiseOnly = focusOnly && !opening;
    shell::ToggleWindow(code, focusOnly, *this);
    const SecondaryWindow* opened = opening ? Window(code) : nullptr;
    if (!raiseOnly && !(opened && opened->KeepsKeyboardWhenOpened())) ReturnFocusToMain();
}

void WindowSwitcher::Open(WindowCode code) {
    const auto factory = factories_.find(code);
    if (factory == factories_.end() || IsOpen(code)) return;
    SecondaryWindow* window = factory->second();
    if (!window) return;
    open_[code] = window;
    connect(window, &QObject::destroyed, this, [this, code, window] {
        const auto it = open_.find(code);
        if (it != open_.end() && it->second == window) open_.erase(it);
        emit windowsChanged();
    });
    // A window of one size has nothing to maximise.
    if (window->minimumSize() == window->maximumSize())
        window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    Place(*window, code);
    window->show();
    window->raise();
    window->activateWindow();
    // A desktop without a window manager may never activate it; opening counts as one.
    NoteActivated(code);
    emit windowsChanged();
}

void WindowSwitcher::Close(WindowCode code) {
    if (SecondaryWindow* window = Window(code)) window->close();
}

void WindowSwitcher::BringToFront(WindowCode code) {
    SecondaryWindow* window = Window(code);
    if (!window) return;
    // The main window goes behind the topmost ones first, so the window ends up on top.
    window->showNormal();
    window->raise();
    window->activateWindow();
}

bool WindowSwitcher::HandleWindowKey(WindowCode window, int virtualKey, KeyModifiers modifiers) {
    const bool secondary = window != WindowCode::kMain;
    if (modifiers.ctrl && !modifiers.shift && !modifiers.alt) {
        if (!secondary) return false;
        SecondaryWindow* w = Window(window);
        const QPoint at = w ? w->pos() : QPoint();
        const auto moved = shell::MoveWindowByKey({at.x(), at.y()}, virtualKey, true);
        if (!moved || !w) return false;
        w->move(moved->x, moved->y);
        return true;
    }
    if (modifiers.alt) return false;
    if (modifiers.shift) {
        // Shift with a window's own key hands the keyboard back to the main window.
        if (!secondary || shell::WindowOfKey(virtualKey) != window) return false;
        ReturnFocusToMain();
        return true;
    }
    if (shell::HandleWindowKey(window, virtualKey, *this)) {
        emit windowsChanged();
        return true;
    }
    if (virtualKey == vk::kF8) {
        CloseNewestWindow();
        return true;
    }
    if (secondary && virtualKey == vk::kEscape) {
        Close(window);
        return true;
    }
    return false;
}

void WindowSwitcher::CloseNewestWindow() {
    shell::ShellSession& session = context_.session();
    const shell::CloseNewestDecision decision =
        shell::DecideCloseNewest(session.openWindows(), session.role());
    using Action = shell::CloseNewestDecision::Action;
    switch (decision.action) {
        case Action::kCloseWindow:
            if (IsOpen(shell::WindowOfCode(decision.code))) {
                Close(shell::WindowOfCode(decision.code));
            } else {
                // A code whose window is gone must not block F8 for good.
                session.openWindows().NoteWindowClosed(decision.code);
            }
            break;
        case Action::kCloseMainWindow:
            context_.mainWindow().close();
            break;
        case Action::kAskToEnd: {
            const auto answer = QMessageBox::question(&context_.mainWindow(), "Pemu",
                                                      FromCp932(shell::EndQuestionText()),
                                                      QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes) context_.mainWindow().close();
            break;
        }
    }
}

void WindowSwitcher::NoteActivated(WindowCode code) {
    context_.session().openWindows().NoteWindowActivated(shell::CodeOf(code));
}

void WindowSwitcher::NoteClosed(WindowCode code) {
    context_.session().openWindows().NoteWindowClosed(shell::CodeOf(code));
}

QMargins WindowSwitcher::FrameOf(const QWidget& window) const {
    const QMargins own = MarginsOf(window);
    if (!own.isNull() || &window == &context_.mainWindow()) return own;
    return MarginsOf(context_.mainWindow());
}

void WindowSwitcher::KeepOnScreen(QWidget& window) const {
    const QRect frame = window.geometry().marginsAdded(FrameOf(window));
    const platform::Point at = shell::KeepOnScreens(RectOf(frame), WorkAreas());
    if (at.x != frame.x() || at.y != frame.y()) window.move(at.x, at.y);
}

void WindowSwitcher::Place(QWidget& window, WindowCode code) {
    shell::Placement p;
    p.window = code;
    const QSize outer = window.geometry().marginsAdded(FrameOf(window)).size();
    p.windowSize = {outer.width(), outer.height()};
    QWidget* anchor = &context_.mainWindow();
    if (code == WindowCode::kLogViewer && IsOpen(WindowCode::kCheckTape))
        anchor = Window(WindowCode::kCheckTape);
    p.anchor = RectOf(anchor->frameGeometry());
    const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    p.screenWidth = screen ? screen->geometry().width() : 0;
    p.taskBar = TaskBarOf(screen);
    p.screens = WorkAreas();
    const shell::SettingsStore& store = context_.store();
    p.rememberPositions = shell::Read(store, shell::keys::kStartUpEndOn);
    p.hasSetting = [&store](const char* section, const char* key) {
        return store.ValueExists(section, key);
    };
    p.readSetting = [&store](const char* section, const char* key, int fallback) {
        return store.ReadInteger(section, key, fallback);
    };
    if (const auto at = shell::PlaceWindow(p)) window.move(at->x, at->y);
}

QString WindowSwitcher::CaptionOf(std::string_view utf8Caption) const {
    shell::ShellSession& session = context_.session();
    return FromCp932(shell::MarkChildCaption(
        platform::Sjis(utf8Caption), session.role() == shell::InstanceRole::kChild, session.pid()));
}

void WindowSwitcher::BindMenuItem(QAction* item, WindowCode code) {
    item->setEnabled(IsRegistered(code));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, item, code] {
        Toggle(code, false);
        item->setChecked(IsOpen(code));
    });
    menuItems_.emplace_back(item, code);
}

void WindowSwitcher::RefreshMenuChecks() {
    for (const auto& [item, code] : menuItems_)
        item->setChecked(IsOpen(code));
}

void WindowSwitcher::Reopen(char code) {
    Open(shell::WindowOfCode(code));
}

void WindowSwitcher::WriteOpenWindowPositions() {
    for (WindowCode code : {WindowCode::kCheckTape, WindowCode::kFormula,
                            WindowCode::kEnlargedDisplay, WindowCode::kLogViewer}) {
        const SecondaryWindow* window = Window(code);
        const auto keys = shell::RememberedPositionKeysOf(code);
        if (!window || !keys) continue;
        context_.store().WriteInteger(keys->section, keys->topKey, window->y());
        context_.store().WriteInteger(keys->section, keys->leftKey, window->x());
    }
}

void WindowSwitcher::ShowAll(bool visible) {
    shell::ShowAllWindows(context_.session().openWindows(), *this, visible);
}

void WindowSwitcher::CloseAll() {
    while (!open_.empty()) {
        SecondaryWindow* window = open_.begin()->second;
        window->close();  // writes its settings
        delete window;    // the event loop may not run again to do it
    }
}

void WindowSwitcher::SetMainWindowVisible(bool visible) {
    QWidget& main = context_.mainWindow();
    main.setVisible(visible);
    if (visible) {
        main.raise();
        main.activateWindow();
    }
}

void WindowSwitcher::SetWindowVisible(char code, bool visible) {
    if (SecondaryWindow* window = Window(shell::WindowOfCode(code))) window->setVisible(visible);
}

void WindowSwitcher::ReturnFocusToMain() {
    context_.mainWindow().activateWindow();
    context_.GiveMainFocus(core::Focus::kFocusField);
}

}  // namespace pemu::ui
