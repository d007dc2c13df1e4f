#pragma once

#include "core/AutoSizerHost.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

// A window's child widgets as an AutoSizer sees them, in pixels and points, plus items the window paints
// itself (shapes, lines) registered with their own property access. A widget's dynamic property "index"
// makes it an element of a control array.
class WidgetSizerHost : public AutoSizerHost
{
public:
    using Getter = std::function<std::optional<double>(Property)>;
    using Setter = std::function<bool(Property, double)>;

    explicit WidgetSizerHost(QWidget& window);

    // Adds a painted item after the widgets; it keeps its place in the order.
    void addItem(const QString& name, std::optional<int> index, Getter get, Setter set);

    int controlCount() const override;
    QString controlName(int control) const override;
    std::optional<int> controlIndex(int control) const override;
    std::optional<double> property(int control, Property property) const override;
    bool setProperty(int control, Property property, double value) override;
    double innerWidth() const override;
    double innerHeight() const override;
    void hideHost() override;
    void showHost() override;

private:
    struct Item
    {
        QString name;
        std::optional<int> index;
        Getter get;
        Setter set;
    };

    QWidget& m_window;
    std::vector<Item> m_items;

    QList<QWidget*> widgets() const;
};
