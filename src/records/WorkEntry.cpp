// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkEntry.h"

#include <simdjson.h>

#include <array>

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

std::optional<WorkEntry::Kind> kindFromName(std::string_view name)
{
    if (name == "timed")
        return WorkEntry::Kind::timed;
    if (name == "added")
        return WorkEntry::Kind::added;
    if (name == "removed")
        return WorkEntry::Kind::removed;
    return std::nullopt;
}

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

namespace {

// Each byte's value as a hex digit, or -1: a table, since random digits and letters defeat
// branch prediction.
constexpr std::array<signed char, 256> hexDigits = [] {
    std::array<signed char, 256> t{};
    t.fill(-1);
    for (int i = 0; i < 10; ++i)
        t['0' + i] = char(i);
    for (int i = 0; i < 6; ++i)
        t['a' + i] = t['A' + i] = char(10 + i);
    return t;
}();

} // namespace

std::optional<QUuid> uuidFromText(std::string_view text)
{
    // Read by hand: QUuid::fromString took half the time of reading a large entries file, and
    // it cannot tell the nil UUID, which files written elsewhere may hold, from text it refused.
    if (text.size() != 36)
        return std::nullopt;
    std::array<char, 16> bytes;
    size_t at = 0;
    for (char &byte : bytes) {
        if (at == 8 || at == 13 || at == 18 || at == 23) {
            if (text[at] != '-')
                return std::nullopt;
            ++at;
        }
        const int high = hexDigits[uchar(text[at])];
        const int low = hexDigits[uchar(text[at + 1])];
        if ((high | low) < 0)
            return std::nullopt;
        byte = char(high << 4 | low);
        at += 2;
    }
    return QUuid::fromRfc4122(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
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
    const auto uuid = uuidFromText(id.toString().toStdString());
    const auto k = kindFromName(kind.toString().toStdString());
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

namespace {

// A member the on-demand parser would otherwise skip unread: its whole text goes through the
// strict reader, and it is consumed here, since the parser's own skipping does not check what
// follows a value (it took `"a":"s":]` for a key and a value).
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
        error = value.get_number().error();
        break;
    case Type::boolean:
        error = value.get_bool().error();
        break;
    case Type::null:
        error = value.is_null().error();
        break;
    }
    return !error && parseJson(QByteArrayView(text.data(), qsizetype(text.size())), maxDepth);
}

// simdjson 3.0's on-demand reader misreads some numbers of twenty digits and more (it took
// 0.95000000000000000000 for 0.0277) and refuses some its document reader takes (a tiny
// 1E-75800 as 0): those rare ones are read again by the strict reader.
bool readDouble(simdjson::ondemand::value value, double &out)
{
    std::string_view text = value.raw_json_token();
    // The token runs to the next structural character, so the pretty form's line break and
    // indent come with it.
    text = text.substr(0, text.find_last_not_of(" \t\n\r") + 1);
    const simdjson::error_code error = value.get_double().get(out);
    if (error == simdjson::INCORRECT_TYPE)
        return false;
    if (!error && text.size() < 20)
        return true;
    const auto number = parseJson(QByteArrayView(text.data(), qsizetype(text.size())));
    if (!number || !number->isDouble())
        return false;
    out = number->toDouble();
    return true;
}

// A string without escapes is read where it stands; only escaped ones are unescaped into the
// parser's buffer, whose pages would otherwise be touched for every entry.
bool readString(simdjson::ondemand::value value, std::string_view &out)
{
    const std::string_view token = value.raw_json_token();
    const size_t end = token.find('"', 1);
    if (token.starts_with('"') && end != std::string_view::npos) {
        const std::string_view content = token.substr(1, end - 1);
        if (content.find('\\') == std::string_view::npos) {
            out = content;
            return !value.get_raw_json_string().error();
        }
    }
    return !value.get_string().get(out);
}

// One entry's members, straight into the record. Unknown members are ignored but must still be
// sound JSON: the on-demand parser only skips them, so they are read in full.
std::optional<WorkEntry> readEntry(simdjson::ondemand::object object)
{
    enum : unsigned { hasId = 1, hasDate = 2, hasSeconds = 4, hasKind = 8 };
    unsigned seen = 0;
    QList<std::string_view> otherKeys;
    WorkEntry e;
    auto bitOf = [](auto key) -> unsigned {
        if (key == "id")
            return hasId;
        if (key == "date")
            return hasDate;
        if (key == "seconds")
            return hasSeconds;
        return key == "kind" ? hasKind : 0u;
    };
    for (auto member : object) {
        if (member.error())
            return std::nullopt;
        simdjson::ondemand::field field = member.value_unsafe();
        // Our four keys are compared where they stand; any other is unescaped, since it may
        // spell one of them with escapes, or repeat another.
        std::string_view key;
        unsigned bit = bitOf(field.key());
        if (!bit) {
            if (field.unescaped_key().get(key))
                return std::nullopt;
            bit = bitOf(key);
        }
        simdjson::ondemand::value &value = field.value();
        if (seen & bit)
            return std::nullopt;
        seen |= bit;
        std::string_view text;
        switch (bit) {
        case hasId: {
            const auto id = readString(value, text) ? uuidFromText(text) : std::nullopt;
            if (!id)
                return std::nullopt;
            e.id = *id;
            break;
        }
        case hasDate:
            if (!readDouble(value, e.date))
                return std::nullopt;
            break;
        case hasSeconds:
            if (!readDouble(value, e.seconds))
                return std::nullopt;
            break;
        case hasKind: {
            const auto kind = readString(value, text) ? kindFromName(text) : std::nullopt;
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

std::optional<QList<WorkEntry>> decodeEntries(const QByteArray &json)
{
    // Read straight into the records with simdjson's on-demand parser: the file can hold a
    // hundred thousand entries and is read at every start, and a document tree would take
    // several times the memory of the file.
    const bool inPlace = json.capacity() - json.size() >= qsizetype(simdjson::SIMDJSON_PADDING);
    simdjson::padded_string copy;
    if (!inPlace)
        copy = simdjson::padded_string(json.constData(), size_t(json.size()));
    const simdjson::padded_string_view text =
        inPlace ? simdjson::padded_string_view(json.constData(), size_t(json.size()),
                                               size_t(json.capacity()))
                : simdjson::padded_string_view(copy);
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document document;
    simdjson::ondemand::array array;
    if (parser.iterate(text).get(document) || document.get_array().get(array))
        return std::nullopt;
    QList<WorkEntry> entries;
    entries.reserve(json.size() / 96); // about an entry's length in the compact form
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
