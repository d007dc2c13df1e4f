#pragma once

#include <QString>
#include <optional>

// A blind or ante as a director writes it by hand: "1,500", "1.5K", "2M", "$1,000". The files show these
// texts as they are; the clock reads them as numbers where it needs to reckon with them.
class BlindAmount
{
public:
    // The amount as a plain decimal number: currency signs and separators dropped, "K" and "M"
    // multiplied out ("1.5K" is "1500", "0" stays "0"). Empty when the text holds no digit ("", "-").
    static QString plain(const QString& caption);

    // The amount as a number; nothing when the text holds no digit.
    static std::optional<double> value(const QString& caption);
};
