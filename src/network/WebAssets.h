#pragma once

#include <QByteArray>
#include <QString>

// The pages' files, compiled into the program. Only these names are ever served: nothing a request
// names reaches the file system.
class WebAssets
{
public:
    struct Asset
    {
        QByteArray body;
        QByteArray contentType;
        bool found = false;
    };

    // The asset for an exact request path such as "/" or "/clock.js".
    static Asset find(const QString& path);
};
