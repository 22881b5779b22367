#pragma once

#include <Qt>

#include <span>
#include <utility>

namespace ruvo {

// What a key does on the main window. Keys are the platform's virtual-key
// codes; the shift state never matters.
enum class KeyAction
{
    None,
    NextPage,
    PreviousPage,
    Quit,
    Help, // opens the help window
    ScrollUp,
    ScrollDown,
    ScrollLeft,
    ScrollRight,
    FullScreen,      // switches full screen on and off
    LeaveFullScreen, // only ever leaves it
    ShiftPairs,      // moves the pairs of pages in two-page reading by one page
    FirstPages,      // the book's first page or spread
    LastPages,       // its last page or spread
    NextBook,        // the next book of the open book's folder
    PreviousBook,    // the book before it
    LeftToRight,     // switches reading left to right on and off
};

namespace KeyCode {
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int L = 76;
constexpr int O = 79;
constexpr int X = 88;
constexpr int Numpad2 = 98;
constexpr int Numpad4 = 100;
constexpr int Numpad6 = 102;
constexpr int Numpad8 = 104;
constexpr int F1 = 112;
constexpr int F11 = 122;
constexpr int BracketLeft = 219;
constexpr int BracketRight = 221;
} // namespace KeyCode

// Every key the main window knows, with what it does, in the order the help lists them.
std::span<const std::pair<int, KeyAction>> keyTable();

KeyAction keyActionFor(int keyCode);

// The virtual-key code of a Qt key event, or 0 for keys the program does not
// name. The digits of the keypad (with Num Lock) have codes of their own.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace ruvo
