#pragma once

#include "core/AutoSizerHost.h"

#include <functional>

class ClockScreenModel;

// The clock screen's elements as an AutoSizer sees them: twips and points of the model, the digits as the
// control array lblTimer(0..4). Auto-size texts refuse a new width or height, since their size follows
// their text and font.
class ClockScreenSizerHost : public AutoSizerHost
{
public:
    explicit ClockScreenSizerHost(ClockScreenModel& screen);

    int controlCount() const override;
    QString controlName(int control) const override;
    std::optional<int> controlIndex(int control) const override;
    std::optional<double> property(int control, Property property) const override;
    bool setProperty(int control, Property property, double value) override;
    double innerWidth() const override;
    double innerHeight() const override;
    void hideHost() override;
    void showHost() override;

    // The window's side of the host: the start and end of a pass.
    std::function<void()> beginPass;
    std::function<void()> endPass;

private:
    ClockScreenModel& m_screen;
};
