// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayActivity.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

// A JSON number that is a whole number within the signed 64-bit range.
std::optional<qint64> integer(const QJsonValue &v)
{
    if (!v.isDouble())
        return std::nullopt;
    const qint64 sentinel = std::numeric_limits<qint64>::min();
    const qint64 i = v.toInteger(sentinel);
    if (i != sentinel)
        return i;
    const double d = v.toDouble();
    if (d == -9223372036854775808.0)
        return sentinel;
    return std::nullopt;
}

// Reads one optional member: absent or null leaves the default, a wrong type fails.
template<typename T, typename Read>
bool read(const QJsonObject &o, const char *key, T &target, Read convert)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return true;
    auto converted = convert(v);
    if (!converted)
        return false;
    target = *converted;
    return true;
}

std::optional<double> number(const QJsonValue &v)
{
    return v.isDouble() ? std::optional(v.toDouble()) : std::nullopt;
}

std::optional<std::array<qint64, 24>> hours(const QJsonValue &v)
{
    if (!v.isArray())
        return std::nullopt;
    const QJsonArray a = v.toArray();
    std::array<qint64, 24> result{};
    for (qsizetype i = 0; i < a.size(); ++i) {
        auto value = integer(a.at(i));
        if (!value)
            return std::nullopt;
        if (a.size() == 24)
            result[size_t(i)] = *value;
    }
    return result;
}

std::optional<QMap<QString, double>> apps(const QJsonValue &v)
{
    if (!v.isObject())
        return std::nullopt;
    const QJsonObject o = v.toObject();
    QMap<QString, double> result;
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!it.value().isDouble())
            return std::nullopt;
        result.insert(it.key(), it.value().toDouble());
    }
    return result;
}

} // namespace

QJsonObject toJson(const DayActivity &a)
{
    QJsonArray hourly;
    for (qint64 h : a.hourlyKeys)
        hourly.append(h);
    QJsonObject appSeconds;
    for (auto it = a.appSeconds.begin(); it != a.appSeconds.end(); ++it)
        appSeconds.insert(it.key(), it.value());
    return {{"keys", a.keys},
            {"clicks", a.clicks},
            {"scrolls", a.scrolls},
            {"modifierTaps", a.modifierTaps},
            {"typingSeconds", a.typingSeconds},
            {"mousingSeconds", a.mousingSeconds},
            {"hourlyKeys", hourly},
            {"appSeconds", appSeconds},
            {"appSwitches", a.appSwitches}};
}

std::optional<DayActivity> dayActivityFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    DayActivity a;
    const bool ok = read(o, "keys", a.keys, integer) && read(o, "clicks", a.clicks, integer) &&
                    read(o, "scrolls", a.scrolls, integer) &&
                    read(o, "modifierTaps", a.modifierTaps, integer) &&
                    read(o, "typingSeconds", a.typingSeconds, number) &&
                    read(o, "mousingSeconds", a.mousingSeconds, number) &&
                    read(o, "hourlyKeys", a.hourlyKeys, hours) &&
                    read(o, "appSeconds", a.appSeconds, apps) &&
                    read(o, "appSwitches", a.appSwitches, integer);
    if (!ok)
        return std::nullopt;
    return a;
}

QByteArray encodeActivity(const ActivityByDay &activity)
{
    QJsonObject o;
    for (auto it = activity.begin(); it != activity.end(); ++it)
        o.insert(it.key(), toJson(it.value()));
    return writeJson(o);
}

std::optional<ActivityByDay> decodeActivity(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    ActivityByDay result;
    for (auto it = o.begin(); it != o.end(); ++it) {
        auto day = dayActivityFromJson(it.value());
        if (!day)
            return std::nullopt;
        result.insert(it.key(), *day);
    }
    return result;
}

std::optional<QMap<QString, qint64>> decodeKeystrokes(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    QMap<QString, qint64> counts;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const auto n = integer(it.value());
        if (!n)
            return std::nullopt;
        counts.insert(it.key(), *n);
    }
    return counts;
}
