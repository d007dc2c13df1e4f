#pragma once

#include "AutoSizerHost.h"

#include <QHash>
#include <QObject>
#include <QTimer>

// Keeps a window's layout proportional to its size. Shortly after it is created (the first tick of its
// 10 ms timer, i.e. the first time pending events run) it records every control's position, size and font
// size, or a line's end points, as fractions of the window's inner size; from then on each resize of the
// window sets every control back to those fractions of the new size. Fonts follow the height only.
class AutoSizer : public QObject
{
    Q_OBJECT

public:
    // window delivers the resize notifications; host reads and writes its controls.
    AutoSizer(AutoSizerHost& host, QObject* window, QObject* parent = nullptr);

    // The key of a control: its name, or name(index) for an element of a control array.
    static QString controlKey(const QString& name, std::optional<int> index);

    // Sets the window and records the proportions; runs once, from the timer.
    void GetProps();
    // Applies the recorded proportions to the window's current inner size.
    void apply();
    // Records one property of a control again, at the window's current inner size: a control the window
    // moved on its own (a centred text that changed) keeps its new place through later resizes.
    void follow(int control, AutoSizerHost::Property property);

    bool isRecording() const { return m_frm != nullptr; }
    const QHash<QString, double>& LayoutRatios() const { return m_layoutRatios; }
    QTimer& tmrint() { return m_tmrint; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AutoSizerHost& m_host;
    QObject* m_window;
    QObject* m_frm = nullptr;
    QHash<QString, double> m_layoutRatios;
    QTimer m_tmrint;

    bool isLine(int control) const;
    void record(const QString& key, int control, AutoSizerHost::Property property, double inner);
    void apply(const QString& key, int control, AutoSizerHost::Property property, double inner);
};
