#include "VirtualKeyMapping.h"

VirtualKey VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        switch (key) {
        case Qt::Key_Plus:
            return VirtualKey::Add;
        case Qt::Key_Minus:
            return VirtualKey::Subtract;
        case Qt::Key_Asterisk:
            return VirtualKey::Multiply;
        case Qt::Key_Slash:
            return VirtualKey::Divide;
        case Qt::Key_5:
            return VirtualKey::Numpad5;
        case Qt::Key_6:
            return VirtualKey::Numpad6;
        case Qt::Key_Clear:
            return VirtualKey::Clear;
        case Qt::Key_Right:
            return VirtualKey::Right;
        default:
            return VirtualKey::None;
        }
    }
    switch (key) {
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Clear:
        return VirtualKey::Clear;
    case Qt::Key_F1:
        return VirtualKey::F1;
    case Qt::Key_F2:
        return VirtualKey::F2;
    case Qt::Key_F3:
        return VirtualKey::F3;
    case Qt::Key_F5:
        return VirtualKey::F5;
    case Qt::Key_F6:
        return VirtualKey::F6;
    case Qt::Key_F7:
        return VirtualKey::F7;
    case Qt::Key_F8:
        return VirtualKey::F8;
    case Qt::Key_F9:
        return VirtualKey::F9;
    case Qt::Key_F10:
        return VirtualKey::F10;
    case Qt::Key_F11:
        return VirtualKey::F11;
    case Qt::Key_F12:
        return VirtualKey::F12;
    default:
        return VirtualKey::None;
    }
}
