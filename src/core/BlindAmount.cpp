#include "BlindAmount.h"

#include <algorithm>

namespace {

// The digits of "1,234.5": a comma followed by exactly three digits separates thousands, any other
// comma is a decimal comma.
QString withoutThousands(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u',') {
            qsizetype digits = 0;
            while (i + 1 + digits < text.size() && text.at(i + 1 + digits).isDigit()) {
                ++digits;
            }
            if (digits != 3) {
                out += u'.';
            }
            continue;
        }
        out += c;
    }
    return out;
}

// Moves the decimal point of a "123.45" number places to the right.
QString shifted(const QString& number, int places)
{
    QString whole = number.section(u'.', 0, 0);
    QString fraction = number.section(u'.', 1, 1);
    while (places-- > 0) {
        whole += fraction.isEmpty() ? QChar(u'0') : fraction.at(0);
        fraction = fraction.mid(1);
    }
    while (whole.size() > 1 && whole.startsWith(u'0')) {
        whole.remove(0, 1);
    }
    while (fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
    if (whole.isEmpty()) {
        whole = QStringLiteral("0");
    }
    return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

} // namespace

QString BlindAmount::plain(const QString& caption)
{
    QString kept;
    int places = 0;
    for (const QChar c : caption) {
        if (c.isDigit() || c == u'.' || c == u',') {
            kept += c;
        } else if (c.toUpper() == u'K') {
            places = 3;
        } else if (c.toUpper() == u'M') {
            places = 6;
        }
    }
    kept = withoutThousands(kept);
    if (!std::any_of(kept.begin(), kept.end(), [](QChar c) { return c.isDigit(); })) {
        return {};
    }
    // "1.000.000": full stops as thousands separators.
    if (kept.count(u'.') > 1) {
        kept.remove(u'.');
    }
    return shifted(kept, places);
}

std::optional<double> BlindAmount::value(const QString& caption)
{
    const QString text = plain(caption);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}
