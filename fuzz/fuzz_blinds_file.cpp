#include "core/BlindStructure.h"
#include "core/ClockError.h"
#include "core/Cp1252.h"
#include "core/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines = TextFile::splitLines(
        Cp1252::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    BlindStructure structure;
    try {
        ParseBlindLines(lines, QStringLiteral("fuzz.blinds.csv"), structure);
    } catch (const ClockError&) {
    }
    if (structure.levelCount() < 0 || structure.levelCount() > qMax<qsizetype>(0, lines.size() - 1)) {
        abort();
    }
    return 0;
}
