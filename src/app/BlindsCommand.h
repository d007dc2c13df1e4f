#pragma once

#include <QByteArray>
#include <QStringList>

// kavro-blinds: prints a blind structure built from the night's figures, or the estimated end of an
// existing file, for scripts and tests.
class BlindsCommand
{
public:
    struct Result
    {
        int exitCode = 0;
        QByteArray out; // standard output, as bytes
        QString error;  // one line for standard error; empty when none
    };

    // arguments without the program name.
    static Result run(const QStringList& arguments);

    static QString usage();
};
