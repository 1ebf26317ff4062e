// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The heartbeat kept in the settings, and the older record of entries it replaced.

#include "FuzzCheck.h"
#include "Heartbeat.h"
#include "Saved.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    if (const auto heartbeat = decodeHeartbeat(bytes))
        FUZZ_CHECK(decodeHeartbeat(encodeHeartbeat(*heartbeat)) == heartbeat);
    if (const auto saved = decodeSaved(bytes))
        FUZZ_CHECK(decodeEntries(encodeEntries(saved->entries, JsonStyle::compact)) ==
                   saved->entries);
    return 0;
}
