#include "core/Cp1252.h"
#include "core/SplitCsvLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = Cp1252::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList fields = SplitCsvLine(line);
    if (fields.isEmpty()) {
        abort();
    }
    qsizetype total = 0;
    for (const QString& f : fields) {
        total += f.size();
    }
    // Fields are cut out of the line, never made up.
    if (total > line.size()) {
        abort();
    }
    return 0;
}
