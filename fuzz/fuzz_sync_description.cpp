// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Another computer's description, from the synced folder, and the sync setting kept in the
// settings: what decodes is written back to the same value.

#include "ComputerDescription.h"
#include "FuzzCheck.h"
#include "SyncSetting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    if (const auto description = decodeComputerDescription(bytes))
        FUZZ_CHECK(decodeComputerDescription(encodeComputerDescription(*description)) ==
                   description);
    if (const auto setting = decodeSyncSetting(bytes))
        FUZZ_CHECK(decodeSyncSetting(encodeSyncSetting(*setting)) == setting);
    return 0;
}
