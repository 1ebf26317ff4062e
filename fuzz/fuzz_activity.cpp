// The activity file, "activity.json", and the older "keystrokes.json": what decodes is written
// back to the same counters.

#include "DayActivity.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    if (const auto activity = decodeActivity(bytes))
        FUZZ_CHECK(decodeActivity(encodeActivity(*activity)) == activity);
    decodeKeystrokes(bytes);
    return 0;
}
