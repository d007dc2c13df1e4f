#pragma once

#include "core/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every message and answers questions from a queue (No when the queue is empty).
class FakeMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        Icon icon;
        QString text;
    };

    QList<Shown> shown;
    QStringList questions;
    QList<Icon> questionIcons;
    QList<bool> answers;
    // Runs while a box is "open", e.g. to check what the clock does meanwhile.
    std::function<void()> whileOpen;

    void show(Icon icon, const QString& text) override
    {
        shown.append({icon, text});
        if (whileOpen) {
            whileOpen();
        }
    }
    bool ask(const QString& question, Icon icon = Icon::Question) override
    {
        questions.append(question);
        questionIcons.append(icon);
        if (whileOpen) {
            whileOpen();
        }
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
