#include "display/PayoutTemplate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes as prize-pool.csv: the reader never crashes, and a table it accepts is one the payouts can
// use: positive shares adding up to at most 100.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("prize-pool.csv"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            abort();
        }
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (const qint16 entries : {qint16(-1), qint16(0), qint16(2), qint16(9), qint16(150), qint16(32767)}) {
        const PayoutTemplate::Reading reading = PayoutTemplate::read(path, entries);
        if (reading.problem != PayoutTemplate::Problem::None && !reading.table.isEmpty()) {
            abort();
        }
        Money total;
        for (int place = 1; place <= reading.table.placeCount(); ++place) {
            const Money share = reading.table.at(place);
            if (share <= Money()) {
                abort();
            }
            total = total.checkedAdd(share).value_or(Money::fromRaw(1000 * Money::Scale));
        }
        if (total > Money::fromRaw(100 * Money::Scale)) {
            abort();
        }
    }
    return 0;
}
