#include "ui/key_dispatch.hpp"

#include <utility>

#include "core/key_codes.hpp"

namespace pemu::ui {
namespace {

bool IsWindowKey(int key) {
    return key == vk::kF1 || key == vk::kF2 || key == vk::kF3 || key == vk::kF4 || key == vk::kF6;
}

KeyDecision WindowKey(int key) {
    KeyDecision d{KeyCommand::kWindowKey, key};
    d.releaseCheckKey = key == vk::kF1;
    return d;
}

KeyDecision Passed(KeyCommand command, int value = 0) {
    KeyDecision d{command, value};
    d.consumed = false;
    return d;
}

KeyDecision ShiftKey(int key, const KeyState& state) {
    if (IsWindowKey(key)) return WindowKey(key);
    if (key == vk::kDelete && state.tapeShown) return {KeyCommand::kClearTape};
    if (key == vk::kInsert) return {KeyCommand::kPaste};
    if (key == vk::kUp || key == vk::kDown || key == vk::kPrior || key == vk::kNext) {
        return {KeyCommand::kScrollTape, key};
    }
    return Passed(KeyCommand::kNone);
}

KeyDecision CtrlKey(int key) {
    KeyDecision d = Passed(KeyCommand::kNone);
    switch (key) {
        case vk::kLeft:
            d.command = KeyCommand::kMoveWindow, d.dx = -10;
            break;
        case vk::kRight:
            d.command = KeyCommand::kMoveWindow, d.dx = 10;
            break;
        case vk::kUp:
            d.command = KeyCommand::kMoveWindow, d.dy = -10;
            break;
        case vk::kDown:
            d.command = KeyCommand::kMoveWindow, d.dy = 10;
            break;
        case vk::kC:
            d.command = KeyCommand::kCopy;
            break;
        case vk::kV:
            d = {KeyCommand::kPaste};
            break;
        default:
            break;
    }
    return d;
}

KeyDecision PlainKey(int key, const KeyCodeLookup& keyCodeOf) {
    if (IsWindowKey(key)) return WindowKey(key);
    if (const int code = FixedKeyCodeOf(key)) return Passed(KeyCommand::kExecute, code);
    switch (key) {
        case vk::kSpace:
            return Passed(KeyCommand::kToggleNavigation);
        case vk::kC:
            return Passed(KeyCommand::kCopy);
        case vk::kF5:
            return Passed(KeyCommand::kRefreshLog);
        case vk::kF8:
            return {KeyCommand::kCloseNewestWindow};
        case vk::kEscape:
            return {KeyCommand::kCloseMain};
        default:
            break;
    }
    KeyDecision d{KeyCommand::kExecute, keyCodeOf ? keyCodeOf(key) : kUnassignedKey};
    d.inputMethodOff = true;
    return d;
}

}  // namespace

int FixedKeyCodeOf(int virtualKey) {
    if (virtualKey == vk::kNumpad0) return core::kKeyDigit0;
    if (virtualKey > vk::kNumpad0 && virtualKey <= vk::kNumpad0 + 9) {
        return core::kKeyDigit1 + (virtualKey - vk::kNumpad0 - 1);
    }
    switch (virtualKey) {
        case vk::kBack:
            return core::kKeyBackSpace;
        case vk::kReturn:
            return core::kKeyEquals;
        case vk::kMultiply:
            return core::kKeyMultiply;
        case vk::kAdd:
            return core::kKeyAdd;
        case vk::kSubtract:
            return core::kKeySubtract;
        case vk::kDecimal:
            return core::kKeyPoint;
        case vk::kDivide:
            return core::kKeyDivide;
        default:
            return 0;
    }
}

int TypedOperatorOf(char32_t typed) {
    switch (typed) {
        case U'+':
            return core::kKeyAdd;
        case U'-':
            return core::kKeySubtract;
        case U'*':
            return core::kKeyMultiply;
        case U'/':
            return core::kKeyDivide;
        case U'=':
            return core::kKeyEquals;
        case U'%':
            return core::kKeyPercent;
        default:
            return 0;
    }
}

int HeldKeys::Pressed(int physicalKey, int code) {
    if (physicalKey == 0) return 0;
    const int before = std::exchange(held_[physicalKey], code);
    return before != code ? before : 0;
}

int HeldKeys::Released(int physicalKey) {
    const auto it = held_.find(physicalKey);
    if (it == held_.end()) return 0;
    const int code = it->second;
    held_.erase(it);
    return code;
}

KeyDecision DecideKeyDown(int virtualKey, KeyModifiers modifiers, const KeyState& state,
                          const KeyCodeLookup& keyCodeOf, char32_t typed) {
    if (state.minimized) return {};
    if (virtualKey == vk::kApps) return {KeyCommand::kContextMenu};
    if (state.switchPanelVisible) return {KeyCommand::kSwitchPanel, virtualKey};
    // An operator typed as a character, Shift allowed; the numeric pad keeps its own keys.
    if (!modifiers.ctrl && !modifiers.alt && !FixedKeyCodeOf(virtualKey)) {
        if (const int code = TypedOperatorOf(typed)) {
            KeyDecision d{KeyCommand::kExecute, code};
            d.inputMethodOff = true;
            return d;
        }
    }
    if (modifiers.shift) return ShiftKey(virtualKey, state);
    if (modifiers.ctrl) return CtrlKey(virtualKey);
    if (modifiers.alt) return Passed(KeyCommand::kNone);
    return PlainKey(virtualKey, keyCodeOf);
}

int ReleaseCodeOf(int virtualKey, bool shift, const KeyCodeLookup& keyCodeOf, char32_t typed) {
    const auto lookup = [&] { return keyCodeOf ? keyCodeOf(virtualKey) : kUnassignedKey; };
    const int fixed = FixedKeyCodeOf(virtualKey);
    if (const int code = TypedOperatorOf(typed); code && !fixed) return code;
    if (shift) return lookup();
    if (fixed) return fixed;
    if (virtualKey == vk::kC) return 0;
    return lookup();
}

}  // namespace pemu::ui
