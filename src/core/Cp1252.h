#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page: the files the clock shares with earlier installations use it, without a
// byte-order mark. Characters it cannot hold are written as "?".
class Cp1252
{
public:
    static QString decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text);
    // True when encode keeps every character, so the text reads back unchanged.
    static bool canEncode(const QString& text);
};
