// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The strict JSON reader under every stored file and every crew reply: what it reads, the writer
// writes back in either style to the same value.

#include "FuzzCheck.h"
#include "Json.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Equal as JSON: numbers by their value. (Qt's containers also compare how a number is held, and
// -2^63 read as an integer comes back from its shortest text as a double.)
bool same(const QJsonValue &a, const QJsonValue &b);

// Arrays and objects alike: objects iterate in key order.
template<typename Container> bool sameItems(const Container &x, const Container &y)
{
    return x.size() == y.size() && std::equal(x.begin(), x.end(), y.begin(), same);
}

bool same(const QJsonValue &a, const QJsonValue &b)
{
    if (a.type() != b.type())
        return false;
    if (a.isDouble())
        return a.toDouble() == b.toDouble();
    if (a.isArray())
        return sameItems(a.toArray(), b.toArray());
    if (a.isObject())
        return a.toObject().keys() == b.toObject().keys() && sameItems(a.toObject(), b.toObject());
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto value = parseJson(QByteArrayView(data, qsizetype(size)));
    if (!value)
        return 0;
    for (const JsonStyle style : {JsonStyle::compact, JsonStyle::pretty}) {
        // The writer nests no deeper than what was read, so the default depth always suffices.
        const auto again = parseJson(writeJson(*value, style));
        FUZZ_CHECK(again && same(*again, *value));
    }
    return 0;
}
