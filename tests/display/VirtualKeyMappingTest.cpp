#include "display/VirtualKeyMapping.h"

#include <gtest/gtest.h>

namespace {

struct Mapping
{
    int key;
    bool keypad;
    VirtualKey expected;
};

TEST(VirtualKeyMapping, KeypadStaysApartFromTheMainKeyboard)
{
    const Mapping cases[] = {
        {Qt::Key_Plus, true, VirtualKey::Add},
        {Qt::Key_Minus, true, VirtualKey::Subtract},
        {Qt::Key_Asterisk, true, VirtualKey::Multiply},
        {Qt::Key_Slash, true, VirtualKey::Divide},
        {Qt::Key_6, true, VirtualKey::Numpad6},   // Num Lock on
        {Qt::Key_Right, true, VirtualKey::Right}, // Num Lock off
        {Qt::Key_5, true, VirtualKey::Numpad5},   // Num Lock on
        {Qt::Key_Clear, true, VirtualKey::Clear}, // Num Lock off
        {Qt::Key_4, true, VirtualKey::None},
        {Qt::Key_Enter, true, VirtualKey::None},
        {Qt::Key_Plus, false, VirtualKey::None},
        {Qt::Key_Minus, false, VirtualKey::None},
        {Qt::Key_Asterisk, false, VirtualKey::None},
        {Qt::Key_Slash, false, VirtualKey::None},
        {Qt::Key_5, false, VirtualKey::None},
        {Qt::Key_6, false, VirtualKey::None},
        {Qt::Key_Right, false, VirtualKey::Right}, // the cursor block's arrow adds a rebuy too
        {Qt::Key_Left, false, VirtualKey::None},
        {Qt::Key_Space, false, VirtualKey::Space},
        {Qt::Key_F1, false, VirtualKey::F1},
        {Qt::Key_F2, false, VirtualKey::F2},
        {Qt::Key_F3, false, VirtualKey::F3},
        {Qt::Key_F4, false, VirtualKey::None},
        {Qt::Key_F5, false, VirtualKey::F5},
        {Qt::Key_F12, false, VirtualKey::F12},
        {Qt::Key_A, false, VirtualKey::None},
    };
    for (const Mapping& m : cases) {
        EXPECT_EQ(VirtualKeyFromQt(m.key, m.keypad ? Qt::KeypadModifier : Qt::NoModifier), m.expected)
            << std::hex << m.key << (m.keypad ? " keypad" : "");
    }
}

TEST(VirtualKeyMapping, ShiftCtrlAndAltAreIgnored)
{
    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F9, all), VirtualKey::F9);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, all | Qt::KeypadModifier), VirtualKey::Add);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Space, Qt::ShiftModifier), VirtualKey::Space);
}

} // namespace
