#include "core/ClockError.h"
#include "core/ClockFolders.h"
#include "core/ClockSettingsFile.h"
#include "core/TournamentState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const ClockFolders folders = [] {
        QDir(dir.path()).mkpath(QStringLiteral("Clock/blinds"));
        return ClockFolders::fromProgramFolder(dir.filePath(QStringLiteral("Clock")));
    }();
    {
        QFile f(folders.settingsFile());
        if (!f.open(QIODevice::WriteOnly)) {
            abort();
        }
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TournamentState state;
    state.Folders = folders;
    try {
        ReadWriteClockSettings(state, QStringLiteral("read"));
    } catch (const ClockError&) {
        return 0;
    }
    // Whatever was read must survive a write and a second read unchanged. A file with a UTF-8 mark may
    // hold characters the written Windows-1252 file cannot: from its first write on it must be stable.
    const auto reread = [&](TournamentState& from) {
        ReadWriteClockSettings(from, QStringLiteral("write"));
        TournamentState again;
        again.Folders = folders;
        ReadWriteClockSettings(again, QStringLiteral("read"));
        return again;
    };
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        state = reread(state);
    }
    const TournamentState first = state;
    const TournamentState again = reread(state);
    if (!(again.Tournament == first.Tournament && again.Display == first.Display)) {
        abort();
    }
    return 0;
}
