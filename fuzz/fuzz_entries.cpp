// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The entries file, "entries.json": what decodes is written back to the same entries, and the
// reader that fills the records on demand agrees with the strict reader of whole documents.

#include "FuzzCheck.h"
#include "WorkEntry.h"

#include <QJsonArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    // With room after the text, as readJsonFile() leaves it, so that it is read in place.
    QByteArray bytes;
    bytes.reserve(text.size() + 64);
    bytes.append(text);
    const auto entries = decodeEntries(bytes);
    const auto tree = parseJson(text);
    std::optional<QList<WorkEntry>> fromTree;
    if (tree && tree->isArray()) {
        fromTree.emplace();
        for (const QJsonValue &v : tree->toArray()) {
            const auto e = workEntryFromJson(v);
            if (!e) {
                fromTree.reset();
                break;
            }
            fromTree->append(*e);
        }
    }
    FUZZ_CHECK(entries == fromTree);
    if (!entries)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::pretty})
        FUZZ_CHECK(decodeEntries(encodeEntries(*entries, style)) == entries);
    return 0;
}
