#pragma once

#include <QString>

// Opens a file with the program the desktop associates with it. The program asks the desktop; tests
// record the request.
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    // False when the desktop reports that it could not open the file.
    virtual bool open(const QString& path) = 0;
};
