#include "WorkEntry.h"

#include <QJsonArray>

#include <cmath>

QString kindName(WorkEntry::Kind kind)
{
    switch (kind) {
    case WorkEntry::Kind::timed:
        return QStringLiteral("timed");
    case WorkEntry::Kind::added:
        return QStringLiteral("added");
    case WorkEntry::Kind::removed:
        return QStringLiteral("removed");
    }
    return {};
}

std::optional<WorkEntry::Kind> kindFromName(QStringView name)
{
    if (name == u"timed")
        return WorkEntry::Kind::timed;
    if (name == u"added")
        return WorkEntry::Kind::added;
    if (name == u"removed")
        return WorkEntry::Kind::removed;
    return std::nullopt;
}

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QJsonObject toJson(const WorkEntry &entry)
{
    return {{"id", uuidText(entry.id)},
            {"date", entry.date},
            {"seconds", entry.seconds},
            {"kind", kindName(entry.kind)}};
}

std::optional<WorkEntry> workEntryFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue id = o.value(QLatin1String("id"));
    const QJsonValue date = o.value(QLatin1String("date"));
    const QJsonValue seconds = o.value(QLatin1String("seconds"));
    const QJsonValue kind = o.value(QLatin1String("kind"));
    if (!id.isString() || !date.isDouble() || !seconds.isDouble() || !kind.isString())
        return std::nullopt;
    const QString idText = id.toString();
    const QUuid uuid = QUuid::fromString(idText);
    const auto k = kindFromName(kind.toString());
    if (idText.size() != 36 || uuid.isNull() || !k)
        return std::nullopt;
    return WorkEntry{uuid, date.toDouble(), seconds.toDouble(), *k};
}

QByteArray encodeEntries(std::span<const WorkEntry> entries, JsonStyle style)
{
    // Written directly rather than through QJsonArray: the record can hold a hundred thousand
    // entries and is rewritten after every segment.
    const bool pretty = style == JsonStyle::pretty;
    const char *open = pretty ? "\n  {\n    \"date\" : " : "{\"date\":";
    const char *id = pretty ? ",\n    \"id\" : \"" : ",\"id\":\"";
    const char *kind = pretty ? "\",\n    \"kind\" : \"" : "\",\"kind\":\"";
    const char *seconds = pretty ? "\",\n    \"seconds\" : " : "\",\"seconds\":";
    const char *close = pretty ? "\n  }" : "}";
    QByteArray out;
    out.reserve(qsizetype(entries.size()) * (pretty ? 130 : 100) + 4);
    out.append('[');
    for (size_t i = 0; i < entries.size(); ++i) {
        const WorkEntry &e = entries[i];
        if (i)
            out.append(',');
        out.append(open);
        appendJsonNumber(out, e.date);
        out.append(id);
        out.append(e.id.toByteArray(QUuid::WithoutBraces).toUpper());
        out.append(kind);
        out.append(kindName(e.kind).toLatin1());
        out.append(seconds);
        appendJsonNumber(out, e.seconds);
        out.append(close);
    }
    if (pretty && !entries.empty())
        out.append('\n');
    out.append(']');
    return out;
}

std::optional<QList<WorkEntry>> decodeEntries(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isArray())
        return std::nullopt;
    const QJsonArray array = doc->toArray();
    QList<WorkEntry> entries;
    entries.reserve(array.size());
    for (const QJsonValue &v : array) {
        auto entry = workEntryFromJson(v);
        if (!entry)
            return std::nullopt;
        entries.append(*entry);
    }
    return entries;
}
