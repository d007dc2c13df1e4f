#pragma once

#include "core/MessageBoxes.h"

// Shows nothing and gives every question the same answer, so a measured loop never waits for anyone.
class SilentMessageBoxes : public MessageBoxes
{
public:
    explicit SilentMessageBoxes(bool answer = false) : m_answer(answer) {}

    void show(Icon, const QString&) override {}
    bool ask(const QString&, Icon = Icon::Question) override { return m_answer; }

private:
    bool m_answer;
};
