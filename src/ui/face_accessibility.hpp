#pragma once
// The calculator face for assistive tools: every key picture is a button named by its
// caption and function, with a press action and its tooltip as description; the display is
// a text that follows what the pictures show. Qt asks the factory installed here for the
// plain widgets of the face, which have no interface of their own.
#include <QAccessible>
#include <functional>

#include "core/key_codes.hpp"
#include "shell/key_table.hpp"
#include "ui/face_widget.hpp"

namespace pemu::ui {

// Installs the face's interface factory; once per process, whoever calls first.
void InstallFaceAccessibility();

// Tells assistive tools that something of the face changed. Qt drops such events while no
// tool is connected, so a listener set here hears every one first (a test listens).
void TellAssistiveTools(QAccessibleEvent& event);
using AccessibilityListener = std::function<void(QAccessibleEvent&)>;
void SetAccessibilityListener(AccessibilityListener listener);

// The name and tooltip of a key picture for the family and key table in force: the
// table's key, the fixed keys (numeric pad, Enter, Backspace) and the typed characters
// that press it.
FaceWidget::KeyTexts DescribeFaceKey(int code, core::KeyFamily family,
                                     const shell::KeyTable& table);

}  // namespace pemu::ui
