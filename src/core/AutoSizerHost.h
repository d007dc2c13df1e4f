#pragma once

#include <QString>
#include <optional>

// The window an AutoSizer keeps proportional: its controls in order, each with a name, an optional index
// in a control array and named properties, and its inner size in the units the controls are placed in.
class AutoSizerHost
{
public:
    enum class Property
    {
        Top,
        Left,
        Width,
        Height,
        FontSize,
        X1,
        Y1,
        X2,
        Y2
    };

    virtual ~AutoSizerHost() = default;

    virtual int controlCount() const = 0;
    virtual QString controlName(int control) const = 0;
    // The element's index when the control belongs to a control array.
    virtual std::optional<int> controlIndex(int control) const = 0;
    // Nothing when the control lacks the property.
    virtual std::optional<double> property(int control, Property property) const = 0;
    // False when the control lacks or refuses the property.
    virtual bool setProperty(int control, Property property, double value) = 0;

    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;

    // Bracket one pass of changes so the window is redrawn once, at the end.
    virtual void hideHost() = 0;
    virtual void showHost() = 0;
};
