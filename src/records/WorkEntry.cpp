#include "WorkEntry.h"

#include <QJsonArray>
#include <QStringList>

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

std::optional<QUuid> uuidFromText(QStringView text)
{
    if (text.size() != 36)
        return std::nullopt;
    const QUuid id = QUuid::fromString(text);
    // QUuid says "null" both for text it cannot read and for the nil UUID, which is a UUID
    // like any other: files written elsewhere may hold it.
    if (id.isNull() && text != u"00000000-0000-0000-0000-000000000000")
        return std::nullopt;
    return id;
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
    const auto uuid = uuidFromText(id.toString());
    const auto k = kindFromName(kind.toString());
    if (!uuid || !k)
        return std::nullopt;
    return WorkEntry{*uuid, date.toDouble(), seconds.toDouble(), *k};
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
    // Read straight into the records: the file can hold a hundred thousand entries and is read
    // at every start.
    JsonScanner in(json);
    QList<WorkEntry> entries;
    if (!in.consume('['))
        return std::nullopt;
    if (in.consume(']'))
        return in.atEnd() ? std::optional(entries) : std::nullopt;
    do {
        if (!in.consume('{'))
            return std::nullopt;
        enum : unsigned { hasId = 1, hasDate = 2, hasSeconds = 4, hasKind = 8 };
        unsigned seen = 0;
        QStringList otherKeys;
        WorkEntry e;
        if (!in.consume('}')) {
            do {
                const auto key = in.string();
                if (!key || !in.consume(':'))
                    return std::nullopt;
                auto once = [&](unsigned bit) {
                    const bool first = !(seen & bit);
                    seen |= bit;
                    return first;
                };
                if (*key == u"id") {
                    const auto text = in.string();
                    const auto id = text ? uuidFromText(*text) : std::nullopt;
                    if (!once(hasId) || !id)
                        return std::nullopt;
                    e.id = *id;
                } else if (*key == u"date") {
                    const auto d = in.number();
                    if (!once(hasDate) || !d)
                        return std::nullopt;
                    e.date = *d;
                } else if (*key == u"seconds") {
                    const auto d = in.number();
                    if (!once(hasSeconds) || !d)
                        return std::nullopt;
                    e.seconds = *d;
                } else if (*key == u"kind") {
                    const auto text = in.string();
                    const auto kind = text ? kindFromName(*text) : std::nullopt;
                    if (!once(hasKind) || !kind)
                        return std::nullopt;
                    e.kind = *kind;
                } else {
                    // Unknown members are ignored, but must still be sound JSON.
                    if (otherKeys.contains(*key) || !in.value())
                        return std::nullopt;
                    otherKeys.append(*key);
                }
            } while (in.consume(','));
            if (!in.consume('}'))
                return std::nullopt;
        }
        if (seen != (hasId | hasDate | hasSeconds | hasKind))
            return std::nullopt;
        entries.append(e);
    } while (in.consume(','));
    if (!in.consume(']') || !in.atEnd())
        return std::nullopt;
    return entries;
}
