// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A month of another computer's record, from the synced folder: what decodes is written back to
// the same month, and the format and machine of any bytes can be asked for.

#include "FuzzCheck.h"
#include "MonthRecord.h"
#include "SyncFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    syncFormatOf(bytes);
    machineOf(bytes);
    if (const auto month = decodeMonthRecord(bytes))
        FUZZ_CHECK(decodeMonthRecord(encodeMonthRecord(*month)) == month);
    return 0;
}
