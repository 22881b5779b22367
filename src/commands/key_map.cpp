#include "commands/key_map.h"

#include <array>
#include <utility>

namespace ruvo {

std::span<const std::pair<int, KeyAction>> keyTable()
{
    static constexpr std::array<std::pair<int, KeyAction>, 21> table = {{
        {KeyCode::Space, KeyAction::NextPage},
        {KeyCode::PageDown, KeyAction::NextPage},
        {KeyCode::PageUp, KeyAction::PreviousPage},
        {KeyCode::X, KeyAction::Quit},
        {KeyCode::Up, KeyAction::ScrollUp},
        {KeyCode::Numpad8, KeyAction::ScrollUp},
        {KeyCode::Down, KeyAction::ScrollDown},
        {KeyCode::Numpad2, KeyAction::ScrollDown},
        {KeyCode::Left, KeyAction::ScrollLeft},
        {KeyCode::Numpad4, KeyAction::ScrollLeft},
        {KeyCode::Right, KeyAction::ScrollRight},
        {KeyCode::Numpad6, KeyAction::ScrollRight},
        {KeyCode::F1, KeyAction::Help},
        {KeyCode::F11, KeyAction::FullScreen},
        {KeyCode::Escape, KeyAction::LeaveFullScreen},
        {KeyCode::O, KeyAction::ShiftPairs},
        {KeyCode::Home, KeyAction::FirstPages},
        {KeyCode::End, KeyAction::LastPages},
        {KeyCode::BracketRight, KeyAction::NextBook},
        {KeyCode::BracketLeft, KeyAction::PreviousBook},
        {KeyCode::L, KeyAction::LeftToRight},
    }};
    return table;
}

KeyAction keyActionFor(int keyCode)
{
    for (const auto& [code, action] : keyTable()) {
        if (code == keyCode)
            return action;
    }
    return KeyAction::None;
}

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        // Num Lock on: the keypad digits; off, they arrive as arrows and pages.
        switch (qtKey) {
        case Qt::Key_2:
            return KeyCode::Numpad2;
        case Qt::Key_4:
            return KeyCode::Numpad4;
        case Qt::Key_6:
            return KeyCode::Numpad6;
        case Qt::Key_8:
            return KeyCode::Numpad8;
        default:
            break;
        }
    }
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCode::Enter;
    case Qt::Key_Space:
        return KeyCode::Space;
    case Qt::Key_PageUp:
        return KeyCode::PageUp;
    case Qt::Key_PageDown:
        return KeyCode::PageDown;
    case Qt::Key_Left:
        return KeyCode::Left;
    case Qt::Key_Up:
        return KeyCode::Up;
    case Qt::Key_Right:
        return KeyCode::Right;
    case Qt::Key_Down:
        return KeyCode::Down;
    case Qt::Key_O:
        return KeyCode::O;
    case Qt::Key_L:
        return KeyCode::L;
    case Qt::Key_X:
        return KeyCode::X;
    case Qt::Key_Escape:
        return KeyCode::Escape;
    case Qt::Key_F1:
        return KeyCode::F1;
    case Qt::Key_F11:
        return KeyCode::F11;
    case Qt::Key_Home:
        return KeyCode::Home;
    case Qt::Key_End:
        return KeyCode::End;
    case Qt::Key_BracketLeft:
        return KeyCode::BracketLeft;
    case Qt::Key_BracketRight:
        return KeyCode::BracketRight;
    default:
        return 0;
    }
}

} // namespace ruvo
