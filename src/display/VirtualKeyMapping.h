#pragma once

#include "core/VirtualKey.h"

#include <Qt>

// The clock's key for a Qt key event. Keypad keys carry Qt::KeypadModifier and stay apart from the main
// keyboard's + - * / and digits, which give VirtualKey::None. Keypad 5 and 6 give the same keys with Num
// Lock on or off (Clear and Right when off).
VirtualKey VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);
