#pragma once

// The keys the clock screen acts on, by their virtual-key codes. Keypad 5 and 6 send Clear and Right
// when Num Lock is off.
enum class VirtualKey : int
{
    None = 0,
    Clear = 12,
    Space = 32,
    Right = 39,
    Numpad5 = 101,
    Numpad6 = 102,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Divide = 111,
    F1 = 112,
    F2 = 113,
    F3 = 114,
    F5 = 116,
    F6 = 117,
    F7 = 118,
    F8 = 119,
    F9 = 120,
    F10 = 121,
    F11 = 122,
    F12 = 123,
};
