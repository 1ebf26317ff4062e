// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MonthRecord.h"

#include "Calendar.h"
#include "Json.h"
#include "MergedRecord.h"
#include "SyncFiles.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

// The first day of a "yyyy-MM" key; invalid for anything else.
QDate firstDay(const QString &month)
{
    return month.size() == 7 ? dateFromDayKey(QString(month + QStringLiteral("-01"))) : QDate();
}

Instant utcStart(QDate d)
{
    return instantFromDateTime(QDateTime(d, QTime(0, 0), QTimeZone::utc()));
}

} // namespace

QByteArray encodeMonthRecord(const MonthRecord &r)
{
    const std::span<const WorkEntry> entries(r.entries.constData(), size_t(r.entries.size()));
    QByteArray out = "{\"activity\":" + encodeActivity(r.activity) + ",\"computer\":";
    appendJsonString(out, uuidText(r.computer));
    out += ",\"entries\":" + encodeEntries(entries, JsonStyle::compact);
    out += ",\"format\":" + QByteArray::number(kSyncFormat) + ",\"machine\":";
    appendJsonString(out, r.machine);
    out += ",\"month\":";
    appendJsonString(out, r.month);
    out += '}';
    return out;
}

std::optional<MonthRecord> decodeMonthRecord(QByteArrayView json)
{
    const auto o = syncObject(json);
    if (!o)
        return std::nullopt;
    const QJsonValue computer = o->value(QLatin1String("computer"));
    const QJsonValue machine = o->value(QLatin1String("machine"));
    const QJsonValue month = o->value(QLatin1String("month"));
    const QJsonValue entries = o->value(QLatin1String("entries"));
    const QJsonValue activity = o->value(QLatin1String("activity"));
    if (!computer.isString() || !machine.isString() || !month.isString() || !entries.isArray() ||
        !activity.isObject())
        return std::nullopt;
    MonthRecord r;
    const auto id = uuidFromText(computer.toString().toStdString());
    r.machine = machine.toString();
    r.month = month.toString();
    const QDate first = firstDay(r.month);
    if (!id || !first.isValid())
        return std::nullopt;
    r.computer = *id;

    // Whatever the writer's zone, its month lies within these bounds.
    const Instant from = utcStart(first) - 2 * 86400;
    const Instant to = utcStart(first.addMonths(1)) + 2 * 86400;
    for (const QJsonValue &v : entries.toArray()) {
        const auto e = workEntryFromJson(v);
        if (!e || e->date < from || e->date >= to ||
            (e->kind == WorkEntry::Kind::timed && e->seconds > kLongestStretch))
            return std::nullopt;
        r.entries.append(*e);
    }
    const QJsonObject days = activity.toObject();
    for (auto it = days.begin(); it != days.end(); ++it) {
        const QDate day = dateFromDayKey(it.key());
        auto a = dayActivityFromJson(it.value());
        if (!a || !day.isValid() || monthOfDayKey(it.key()) != r.month)
            return std::nullopt;
        r.activity.insert(it.key(), std::move(*a));
    }
    return r;
}

QString monthFileName(const QString &month)
{
    return month + QStringLiteral(".json");
}

QString monthOfFileName(const QString &fileName)
{
    static const QRegularExpression name(QStringLiteral("^(\\d{4}-\\d{2})\\.json$"));
    const auto match = name.match(fileName);
    return match.hasMatch() && firstDay(match.captured(1)).isValid() ? match.captured(1)
                                                                     : QString();
}
