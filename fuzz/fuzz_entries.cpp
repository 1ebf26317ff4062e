// The entries file, "entries.json": what decodes is written back to the same entries.

#include "FuzzCheck.h"
#include "WorkEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto entries = decodeEntries(QByteArrayView(data, qsizetype(size)));
    if (!entries)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::pretty})
        FUZZ_CHECK(decodeEntries(encodeEntries(*entries, style)) == entries);
    return 0;
}
