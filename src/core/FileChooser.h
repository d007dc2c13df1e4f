#pragma once

#include <QString>

// The open-file chooser of the settings dialog. The program shows the platform's dialog; tests answer it.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // filterName such as "CSV Files (*.blinds.csv)" with its pattern "*.blinds.csv". Returns the full path
    // of the chosen file, or an empty text when the director cancels.
    virtual QString chooseFile(const QString& title, const QString& startFolder, const QString& filterName,
                               const QString& pattern) = 0;
};
