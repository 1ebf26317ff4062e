// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
