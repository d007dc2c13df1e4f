#include "DecimalNumber.h"

#include <limits>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

struct Reader
{
    QStringView text;
    qsizetype pos = 0;

    void skip()
    {
        while (pos < text.size() && isSkipped(text[pos])) {
            ++pos;
        }
    }
    bool atEnd() { return pos >= text.size(); }
    QChar peek() { return atEnd() ? QChar() : text[pos]; }
};

constexpr qint64 ExponentLimit = 100000;

} // namespace

void DecimalNumber::normalise()
{
    qsizetype lead = 0;
    while (lead < m_digits.size() && m_digits[lead] == '0') {
        ++lead;
    }
    m_digits.remove(0, lead);
    while (!m_digits.isEmpty() && m_digits.endsWith('0')) {
        m_digits.chop(1);
        ++m_exponent;
    }
    if (m_digits.isEmpty()) {
        m_exponent = 0;
        m_negative = false;
    }
}

namespace {

// Reads one number from the reader's position; sets consumedDigits when at least one digit was read.
DecimalNumber readNumber(Reader& r, bool& consumedDigits)
{
    consumedDigits = false;
    r.skip();
    if (r.peek() == u'&') {
        const qsizetype save = r.pos;
        ++r.pos;
        r.skip();
        const QChar kind = r.peek().toUpper();
        int base = 0;
        if (kind == u'H') {
            base = 16;
        } else if (kind == u'O') {
            base = 8;
        }
        if (base != 0) {
            ++r.pos;
            quint64 value = 0;
            bool overflow = false;
            for (;;) {
                r.skip();
                if (r.atEnd()) {
                    break;
                }
                const char16_t c = r.peek().toUpper().unicode();
                int d = -1;
                if (c >= u'0' && c <= u'9') {
                    d = c - u'0';
                } else if (c >= u'A' && c <= u'F') {
                    d = c - u'A' + 10;
                }
                if (d < 0 || d >= base) {
                    break;
                }
                if (value > (std::numeric_limits<quint64>::max() >> 4)) {
                    overflow = true;
                }
                value = value * base + d;
                consumedDigits = true;
                ++r.pos;
            }
            if (overflow) {
                // Far beyond any field of the clock: keeps the range check failing.
                return DecimalNumber::fromParts(false, QByteArray("1"), 30);
            }
            return DecimalNumber::fromParts(false, QByteArray::number(value), 0);
        }
        r.pos = save;
        return DecimalNumber::fromParts(false, {}, 0);
    }

    bool negative = false;
    if (r.peek() == u'-' || r.peek() == u'+') {
        negative = r.peek() == u'-';
        ++r.pos;
    }
    QByteArray digits;
    qint64 exponent = 0;
    bool seenPoint = false;
    for (;;) {
        r.skip();
        const QChar c = r.peek();
        if (c >= u'0' && c <= u'9') {
            digits.append(char(c.unicode()));
            if (seenPoint) {
                --exponent;
            }
            consumedDigits = true;
            ++r.pos;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            ++r.pos;
        } else {
            break;
        }
    }
    if (consumedDigits) {
        const QChar e = r.peek().toUpper();
        if (e == u'E' || e == u'D') {
            const qsizetype save = r.pos;
            ++r.pos;
            r.skip();
            bool expNegative = false;
            if (r.peek() == u'-' || r.peek() == u'+') {
                expNegative = r.peek() == u'-';
                ++r.pos;
            }
            qint64 value = 0;
            bool any = false;
            for (;;) {
                r.skip();
                const QChar c = r.peek();
                if (!(c >= u'0' && c <= u'9')) {
                    break;
                }
                any = true;
                value = std::min(value * 10 + (c.unicode() - u'0'), ExponentLimit);
                ++r.pos;
            }
            if (any) {
                exponent += expNegative ? -value : value;
            } else {
                r.pos = save;
            }
        }
    }
    return DecimalNumber::fromParts(negative, digits, exponent);
}

} // namespace

DecimalNumber DecimalNumber::leading(QStringView text)
{
    Reader r{text};
    bool digits = false;
    return readNumber(r, digits);
}

std::optional<DecimalNumber> DecimalNumber::strict(QStringView text)
{
    const QStringView trimmed = [text]() {
        qsizetype b = 0;
        qsizetype e = text.size();
        while (b < e && (text[b] == u' ' || text[b] == u'\t')) {
            ++b;
        }
        while (e > b && (text[e - 1] == u' ' || text[e - 1] == u'\t')) {
            --e;
        }
        return text.mid(b, e - b);
    }();
    // The lenient reader skips blanks between the parts; here "2 0" is a typing error, not 20.
    for (const QChar c : trimmed) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            return std::nullopt;
        }
    }
    Reader r{trimmed};
    bool digits = false;
    DecimalNumber n = readNumber(r, digits);
    if (!digits || !r.atEnd()) {
        return std::nullopt;
    }
    return n;
}

DecimalNumber DecimalNumber::fromParts(bool negative, QByteArray digits, qint64 exponent)
{
    DecimalNumber n;
    n.m_negative = negative;
    n.m_digits = std::move(digits);
    n.m_exponent = exponent;
    n.normalise();
    return n;
}

DecimalNumber DecimalNumber::fromInteger(qint64 value)
{
    DecimalNumber n;
    n.m_negative = value < 0;
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    n.m_digits = QByteArray::number(magnitude);
    n.normalise();
    return n;
}

std::optional<qint64> DecimalNumber::scaledRounded(int scale) const
{
    if (isZero()) {
        return 0;
    }
    const qint64 e = m_exponent + scale;
    const qint64 len = m_digits.size();
    unsigned __int128 magnitude = 0;
    const auto appendDigit = [&magnitude](int d) {
        magnitude = magnitude * 10 + unsigned(d);
        return magnitude <= static_cast<unsigned __int128>(std::numeric_limits<qint64>::max()) + 1;
    };
    if (e >= 0) {
        if (len + e > 20) {
            return std::nullopt;
        }
        for (char c : m_digits) {
            if (!appendDigit(c - '0')) {
                return std::nullopt;
            }
        }
        for (qint64 i = 0; i < e; ++i) {
            if (!appendDigit(0)) {
                return std::nullopt;
            }
        }
    } else {
        const qint64 keep = len + e; // digits before the rounding point
        if (keep > 20) {
            return std::nullopt;
        }
        for (qint64 i = 0; i < keep; ++i) {
            if (!appendDigit(m_digits[i] - '0')) {
                return std::nullopt;
            }
        }
        // Digits are normalised without trailing zeros, so anything after the first dropped digit is
        // non-zero exactly when more digits follow it.
        if (keep >= 0) {
            const int first = m_digits[keep] - '0';
            const bool more = keep + 1 < len;
            if (first > 5 || (first == 5 && (more || magnitude % 2 == 1))) {
                magnitude += 1;
            }
        }
    }
    const unsigned __int128 limit = static_cast<unsigned __int128>(std::numeric_limits<qint64>::max());
    if (m_negative) {
        if (magnitude > limit + 1) {
            return std::nullopt;
        }
        return qint64(-static_cast<__int128>(magnitude));
    }
    if (magnitude > limit) {
        return std::nullopt;
    }
    return qint64(magnitude);
}

std::optional<qint16> DecimalNumber::toInt16() const
{
    const auto v = scaledRounded(0);
    if (!v || *v < std::numeric_limits<qint16>::min() || *v > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return qint16(*v);
}

std::optional<qint32> DecimalNumber::toInt32() const
{
    const auto v = scaledRounded(0);
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return qint32(*v);
}
