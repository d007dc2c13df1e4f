#include "SplitCsvLine.h"

namespace {

constexpr qsizetype FieldBlock = 64;

enum class State
{
    Between,
    Unquoted,
    Quoted,
    AfterQuote
};

} // namespace

QStringList SplitCsvLine(const QString& line)
{
    QStringList fields;
    fields.reserve(FieldBlock);
    const auto add = [&fields](QString field) {
        if (fields.size() == fields.capacity()) {
            fields.reserve(fields.capacity() + FieldBlock);
        }
        fields.append(std::move(field));
    };

    State state = State::Between;
    qsizetype afterComma = 0; // where the current field's raw text begins
    qsizetype start = 0;      // first character of the field's text
    qsizetype blanks = 0;     // blanks directly before the current position
    qsizetype closeAt = 0;    // position of the closing quote
    const qsizetype n = line.size();

    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        switch (state) {
        case State::Between:
            if (c == u'"') {
                state = State::Quoted;
                start = i + 1;
            } else if (c == u',') {
                add(QString());
                afterComma = i + 1;
            } else if (c != u' ') {
                state = State::Unquoted;
                start = i;
                blanks = 0;
            }
            break;
        case State::Unquoted:
            if (c == u',') {
                add(line.mid(start, i - blanks - start));
                state = State::Between;
                afterComma = i + 1;
            } else {
                blanks = c == u' ' ? blanks + 1 : 0;
            }
            break;
        case State::Quoted:
            if (c == u'"') {
                state = State::AfterQuote;
                closeAt = i;
            }
            break;
        case State::AfterQuote:
            if (c == u',') {
                add(line.mid(start, closeAt - start));
                state = State::Between;
                afterComma = i + 1;
            } else if (c != u' ') {
                // Not a clean close after all: the quote becomes part of an ordinary field.
                state = State::Unquoted;
                blanks = 0;
            }
            break;
        }
    }

    switch (state) {
    case State::Between:
        add(line.mid(afterComma));
        break;
    case State::Unquoted:
        add(line.mid(start, n - blanks - start));
        break;
    case State::Quoted:
        add(line.mid(start));
        break;
    case State::AfterQuote:
        add(line.mid(start, closeAt - start));
        break;
    }
    fields.squeeze();
    return fields;
}
