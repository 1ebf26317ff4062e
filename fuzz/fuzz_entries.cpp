// The entries file, "entries.json": what decodes is written back to the same entries, and the
// reader that fills the records on demand agrees with the strict reader of whole documents.

#include "FuzzCheck.h"
#include "WorkEntry.h"

#include <QJsonArray>

#include <algorithm>
#include <cctype>

namespace {

// The strict reader refuses integers written with more digits than 64 bits hold; the entries
// reader takes them as the doubles they are.
bool hasLongInteger(QByteArrayView text)
{
    int run = 0;
    for (const char c : text) {
        run = std::isdigit(uchar(c)) ? run + 1 : 0;
        if (run >= 20)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    const auto entries = decodeEntries(text);
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
    FUZZ_CHECK(entries == fromTree || (!fromTree && hasLongInteger(text)));
    if (!entries)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::pretty})
        FUZZ_CHECK(decodeEntries(encodeEntries(*entries, style)) == entries);
    return 0;
}
