#pragma once

#include <QString>

// Modal messages to the director, always captioned with the application title. The program shows real
// boxes; tests answer them.
class MessageBoxes
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
        Question
    };

    virtual ~MessageBoxes() = default;
    // An OK box; returns when it is closed.
    virtual void show(Icon icon, const QString& text) = 0;
    // A Yes/No question box, with the question icon unless another is given; true for Yes.
    virtual bool ask(const QString& question, Icon icon = Icon::Question) = 0;
};
