#include "WorkEntry.h"

#include <simdjson.h>

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

std::optional<WorkEntry::Kind> kindFromName(QAnyStringView name)
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

namespace {

// A value the on-demand parser would otherwise skip unchecked: read in full, and consumed so
// that the parser goes on to check what follows it.
bool isSoundJson(simdjson::ondemand::value value, int maxDepth)
{
    using Type = simdjson::ondemand::json_type;
    Type type;
    if (value.type().get(type))
        return false;
    std::string_view text = value.raw_json_token();
    simdjson::error_code error = simdjson::SUCCESS;
    switch (type) {
    case Type::array: {
        simdjson::ondemand::array array;
        error = value.get_array().get(array);
        if (!error)
            error = array.raw_json().get(text);
        break;
    }
    case Type::object: {
        simdjson::ondemand::object object;
        error = value.get_object().get(object);
        if (!error)
            error = object.raw_json().get(text);
        break;
    }
    case Type::string:
        error = value.get_raw_json_string().error();
        break;
    case Type::number:
        error = value.get_double().error();
        break;
    case Type::boolean:
        error = value.get_bool().error();
        break;
    case Type::null:
        bool isNull = false;
        error = value.is_null().get(isNull);
        if (!isNull)
            error = simdjson::INCORRECT_TYPE;
        break;
    }
    return !error && parseJson(QByteArrayView(text.data(), qsizetype(text.size())), maxDepth);
}

// One entry's members, straight into the record. Unknown members are ignored but must still be
// sound JSON: the on-demand parser only skips them, so they are read in full.
std::optional<WorkEntry> readEntry(simdjson::ondemand::object object)
{
    enum : unsigned { hasId = 1, hasDate = 2, hasSeconds = 4, hasKind = 8 };
    unsigned seen = 0;
    QList<std::string_view> otherKeys;
    WorkEntry e;
    for (auto member : object) {
        std::string_view key;
        if (member.unescaped_key().get(key))
            return std::nullopt;
        simdjson::ondemand::value value;
        if (member.value().get(value))
            return std::nullopt;
        const unsigned bit = key == "id"        ? hasId
                             : key == "date"    ? hasDate
                             : key == "seconds" ? hasSeconds
                             : key == "kind"    ? hasKind
                                                : 0u;
        if (seen & bit)
            return std::nullopt;
        seen |= bit;
        std::string_view text;
        switch (bit) {
        case hasId:
            if (value.get_string().get(text) || text.size() != 36)
                return std::nullopt;
            e.id = QUuid::fromString(QLatin1StringView(text.data(), qsizetype(text.size())));
            if (e.id.isNull())
                return std::nullopt;
            break;
        case hasDate:
            if (value.get_double().get(e.date))
                return std::nullopt;
            break;
        case hasSeconds:
            if (value.get_double().get(e.seconds))
                return std::nullopt;
            break;
        case hasKind: {
            const auto kind = value.get_string().get(text)
                                  ? std::nullopt
                                  : kindFromName(QUtf8StringView(text.data(), text.size()));
            if (!kind)
                return std::nullopt;
            e.kind = *kind;
            break;
        }
        default:
            if (otherKeys.contains(key) || !isSoundJson(value, 62))
                return std::nullopt;
            otherKeys.append(key);
        }
    }
    if (seen != (hasId | hasDate | hasSeconds | hasKind))
        return std::nullopt;
    return e;
}

} // namespace

std::optional<QList<WorkEntry>> decodeEntries(QByteArrayView json)
{
    // Read straight into the records with simdjson's on-demand parser: the file can hold a
    // hundred thousand entries and is read at every start, and a document tree would take
    // several times the memory of the file.
    const simdjson::padded_string text(json.data(), size_t(json.size()));
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    simdjson::ondemand::array array;
    if (parser.iterate(text).get(document) || document.get_array().get(array))
        return std::nullopt;
    QList<WorkEntry> entries;
    for (auto element : array) {
        simdjson::ondemand::object object;
        if (element.get_object().get(object))
            return std::nullopt;
        const auto entry = readEntry(object);
        if (!entry)
            return std::nullopt;
        entries.append(*entry);
    }
    // The parser stops at the array's end; anything but white space after it is refused.
    std::string_view read;
    if (document.raw_json().get(read) || read.data() + read.size() != text.data() + text.size())
        return std::nullopt;
    return entries;
}
