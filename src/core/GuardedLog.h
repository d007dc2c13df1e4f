#pragma once

#include <QLoggingCategory>

// Where guarded() says what it skipped: the screen stays alive, but the failure is not lost.
Q_DECLARE_LOGGING_CATEGORY(guardedLog)
