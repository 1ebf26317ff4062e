// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Json.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// simdjson has checked the syntax, the text and the depth; what it lets through and we do not
// are duplicate keys. Integers between the signed and the unsigned 64-bit limits become doubles.
std::optional<QJsonValue> toJsonValue(simdjson::dom::element e)
{
    using Type = simdjson::dom::element_type;
    switch (e.type()) {
    case Type::ARRAY: {
        QJsonArray out;
        const simdjson::dom::array array = e.get_array().value_unsafe();
        for (simdjson::dom::element item : array) {
            auto v = toJsonValue(item);
            if (!v)
                return std::nullopt;
            out.append(*v);
        }
        return out;
    }
    case Type::OBJECT: {
        QJsonObject out;
        const simdjson::dom::object object = e.get_object().value_unsafe();
        for (const simdjson::dom::key_value_pair member : object) {
            const QString key = QString::fromUtf8(member.key.data(), qsizetype(member.key.size()));
            auto v = toJsonValue(member.value);
            if (!v || out.contains(key))
                return std::nullopt;
            out.insert(key, *v);
        }
        return out;
    }
    case Type::STRING: {
        const std::string_view s = e.get_string().value_unsafe();
        return QJsonValue(QString::fromUtf8(s.data(), qsizetype(s.size())));
    }
    case Type::INT64:
        return QJsonValue(qint64(e.get_int64().value_unsafe()));
    case Type::UINT64:
        return QJsonValue(double(e.get_uint64().value_unsafe()));
    case Type::DOUBLE:
        return QJsonValue(e.get_double().value_unsafe());
    case Type::BOOL:
        return QJsonValue(e.get_bool().value_unsafe());
    case Type::NULL_VALUE:
        return QJsonValue(QJsonValue::Null);
    }
    return std::nullopt;
}

} // namespace

std::optional<QJsonValue> parseJson(QByteArrayView text, int maxDepth)
{
    simdjson::dom::parser parser;
    // Empty text is no JSON, and its null data would reach memcpy.
    simdjson::dom::element root;
    if (text.isEmpty() || parser.allocate(size_t(text.size()), size_t(std::max(maxDepth, 1))) ||
        parser.parse(text.data(), size_t(text.size())).get(root))
        return std::nullopt;
    return toJsonValue(root);
}

QByteArray readJsonFile(QIODevice &file)
{
    const qint64 size = file.size() - file.pos();
    if (file.isSequential() || size <= 0 || size > (qint64(1) << 31))
        return file.readAll();
    QByteArray text;
    text.reserve(qsizetype(size) + qsizetype(simdjson::SIMDJSON_PADDING));
    text.resize(qsizetype(size));
    const qint64 read = file.read(text.data(), size);
    text.resize(qsizetype(std::max<qint64>(read, 0)));
    // A file that grew while it was read is read to its end as before.
    if (read == size && !file.atEnd())
        text.append(file.readAll());
    return text;
}

namespace {

void newline(QByteArray &out, int level)
{
    out.append('\n');
    out.append(QByteArray(level * 2, ' '));
}

void write(QByteArray &out, const QJsonValue &v, JsonStyle style, int level)
{
    const bool pretty = style == JsonStyle::pretty;
    switch (v.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        out.append("null");
        break;
    case QJsonValue::Bool:
        out.append(v.toBool() ? "true" : "false");
        break;
    case QJsonValue::Double: {
        // QJsonValue keeps integers it was given as integers; write them without a fraction.
        const qint64 i = v.toInteger(std::numeric_limits<qint64>::min());
        if (i != std::numeric_limits<qint64>::min() && QJsonValue(i) == v)
            out.append(QByteArray::number(i));
        else
            appendJsonNumber(out, v.toDouble());
        break;
    }
    case QJsonValue::String:
        appendJsonString(out, v.toString());
        break;
    case QJsonValue::Array: {
        const QJsonArray a = v.toArray();
        out.append('[');
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (i)
                out.append(',');
            if (pretty)
                newline(out, level + 1);
            write(out, a.at(i), style, level + 1);
        }
        if (pretty && !a.isEmpty())
            newline(out, level);
        out.append(']');
        break;
    }
    case QJsonValue::Object: {
        const QJsonObject o = v.toObject();
        QStringList keys = o.keys();
        if (pretty)
            keys.sort();
        out.append('{');
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (i)
                out.append(',');
            if (pretty)
                newline(out, level + 1);
            appendJsonString(out, keys[i]);
            out.append(pretty ? " : " : ":");
            write(out, o.value(keys[i]), style, level + 1);
        }
        if (pretty && !keys.isEmpty())
            newline(out, level);
        out.append('}');
        break;
    }
    }
}

} // namespace

QByteArray writeJson(const QJsonValue &value, JsonStyle style)
{
    QByteArray out;
    write(out, value, style, 0);
    return out;
}

void appendJsonNumber(QByteArray &out, double d)
{
    if (!std::isfinite(d)) {
        out.append("null");
        return;
    }
    char buf[400];
    // Fixed notation reads best for instants and durations; the shortest digits that read back
    // to the same double. Very large or tiny magnitudes switch to the general form.
    const auto format = (std::fabs(d) < 1e16 && (d == 0 || std::fabs(d) >= 1e-6))
                            ? std::chars_format::fixed
                            : std::chars_format::general;
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, d, format);
    out.append(buf, ptr - buf);
}

void appendJsonString(QByteArray &out, QStringView s)
{
    out.append('"');
    const QByteArray utf8 = s.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        case '\b':
            out.append("\\b");
            break;
        case '\f':
            out.append("\\f");
            break;
        default:
            if (uchar(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out.append("\\u00");
                out.append(hex[(uchar(c) >> 4) & 0xF]);
                out.append(hex[uchar(c) & 0xF]);
            } else
                out.append(c);
        }
    }
    out.append('"');
}
