// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The update feed: an RSS appcast from the network, its newest item and version order.

#include "Appcast.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const auto items =
        Appcast::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &error);
    FUZZ_CHECK(items || !error.isEmpty());
    if (!items)
        return 0;
    const auto newest = Appcast::newest(*items);
    FUZZ_CHECK(newest.has_value() == !items->isEmpty());
    for (const Appcast::Item &item : *items) {
        FUZZ_CHECK(!item.version.isEmpty());
        FUZZ_CHECK(Appcast::compareVersions(item.version, item.version) == 0);
        FUZZ_CHECK(Appcast::compareVersions(newest->version, item.version) >= 0);
        FUZZ_CHECK(Appcast::compareVersions(item.version, newest->version) <= 0);
    }
    return 0;
}
