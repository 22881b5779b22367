#include "commands/key_map.h"

#include <array>
#include <utility>

namespace ruvo {

KeyAction keyActionFor(int keyCode)
{
    static constexpr std::array<std::pair<int, KeyAction>, 19> table = {{
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
        {KeyCode::F11, KeyAction::FullScreen},
        {KeyCode::Escape, KeyAction::LeaveFullScreen},
        {KeyCode::O, KeyAction::ShiftPairs},
        {KeyCode::Home, KeyAction::FirstPages},
        {KeyCode::End, KeyAction::LastPages},
        {KeyCode::BracketRight, KeyAction::NextBook},
        {KeyCode::BracketLeft, KeyAction::PreviousBook},
    }};
    for (const auto& [code, action] : table) {
        if (code == keyCode)
            return action;
    }
    return KeyAction::None;
}

QString keyCapOf(int keyCode)
{
    static const std::array<std::pair<int, const char16_t*>, 20> caps = {{
        {KeyCode::Enter, u"Enter"},
        {KeyCode::Escape, u"Esc"},
        {KeyCode::Space, u"Space"},
        {KeyCode::PageUp, u"Page Up"},
        {KeyCode::PageDown, u"Page Down"},
        {KeyCode::End, u"End"},
        {KeyCode::Home, u"Home"},
        {KeyCode::Left, u"←"},
        {KeyCode::Up, u"↑"},
        {KeyCode::Right, u"→"},
        {KeyCode::Down, u"↓"},
        {KeyCode::O, u"O"},
        {KeyCode::X, u"X"},
        {KeyCode::Numpad2, u"テンキー2"},
        {KeyCode::Numpad4, u"テンキー4"},
        {KeyCode::Numpad6, u"テンキー6"},
        {KeyCode::Numpad8, u"テンキー8"},
        {KeyCode::F11, u"F11"},
        {KeyCode::BracketLeft, u"["},
        {KeyCode::BracketRight, u"]"},
    }};
    for (const auto& [code, cap] : caps) {
        if (code == keyCode)
            return QString::fromUtf16(cap);
    }
    return QString();
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
    case Qt::Key_X:
        return KeyCode::X;
    case Qt::Key_Escape:
        return KeyCode::Escape;
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
