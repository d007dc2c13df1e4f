#pragma once

#include "core/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// Records every message and answers questions from a queue (No when the queue is empty, or always
// when a benchmark set a fixed answer and turned recording off).
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
    bool record = true;
    std::optional<bool> fixedAnswer;

    void show(Icon icon, const QString& text) override
    {
        if (record) {
            shown.append({icon, text});
        }
        if (whileOpen) {
            whileOpen();
        }
    }
    bool ask(const QString& question, Icon icon = Icon::Question) override
    {
        if (record) {
            questions.append(question);
            questionIcons.append(icon);
        }
        if (whileOpen) {
            whileOpen();
        }
        if (fixedAnswer) {
            return *fixedAnswer;
        }
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
