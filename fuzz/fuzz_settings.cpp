// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file: what decodes is written back to the same typed values.

#include "FuzzCheck.h"
#include "linux/JsonSettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto values = decodeSettings(QByteArrayView(data, qsizetype(size)));
    if (values)
        FUZZ_CHECK(decodeSettings(encodeSettings(*values)) == values);
    return 0;
}
