#include "Json.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <charconv>
#include <cmath>

void JsonScanner::skipSpace()
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
        ++p;
}

bool JsonScanner::consume(char c)
{
    skipSpace();
    if (p < end && *p == c) {
        ++p;
        return true;
    }
    return false;
}

bool JsonScanner::atEnd()
{
    skipSpace();
    return p == end;
}

bool JsonScanner::literal(const char *word, size_t n)
{
    if (size_t(end - p) < n || memcmp(p, word, n) != 0)
        return false;
    p += n;
    return true;
}

std::optional<QJsonValue> JsonScanner::value(int depth)
{
    skipSpace();
    if (p >= end)
        return std::nullopt;
    switch (*p) {
    case '{':
        return object(depth + 1);
    case '[':
        return array(depth + 1);
    case '"': {
        auto s = string();
        if (!s)
            return std::nullopt;
        return QJsonValue(*s);
    }
    case 't':
        return literal("true", 4) ? std::optional(QJsonValue(true)) : std::nullopt;
    case 'f':
        return literal("false", 5) ? std::optional(QJsonValue(false)) : std::nullopt;
    case 'n':
        return literal("null", 4) ? std::optional(QJsonValue(QJsonValue::Null)) : std::nullopt;
    default:
        return numberValue();
    }
}

std::optional<QJsonValue> JsonScanner::object(int depth)
{
    if (depth > maxDepth)
        return std::nullopt;
    ++p; // '{'
    QJsonObject obj;
    if (consume('}'))
        return obj;
    for (;;) {
        auto key = string();
        if (!key || obj.contains(*key) || !consume(':'))
            return std::nullopt;
        auto v = value(depth);
        if (!v)
            return std::nullopt;
        obj.insert(*key, *v);
        if (consume(','))
            continue;
        if (consume('}'))
            return obj;
        return std::nullopt;
    }
}

std::optional<QJsonValue> JsonScanner::array(int depth)
{
    if (depth > maxDepth)
        return std::nullopt;
    ++p; // '['
    QJsonArray arr;
    if (consume(']'))
        return arr;
    for (;;) {
        auto v = value(depth);
        if (!v)
            return std::nullopt;
        arr.append(*v);
        if (consume(','))
            continue;
        if (consume(']'))
            return arr;
        return std::nullopt;
    }
}

std::optional<QJsonValue> JsonScanner::numberValue()
{
    const char *start = p;
    bool integral = true;
    if (p < end && *p == '-')
        ++p;
    if (p >= end)
        return std::nullopt;
    if (*p == '0') {
        ++p;
    } else if (*p >= '1' && *p <= '9') {
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
    } else {
        return std::nullopt;
    }
    if (p < end && *p == '.') {
        integral = false;
        ++p;
        if (p >= end || *p < '0' || *p > '9')
            return std::nullopt;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
    }
    if (p < end && (*p == 'e' || *p == 'E')) {
        integral = false;
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        if (p >= end || *p < '0' || *p > '9')
            return std::nullopt;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
    }
    if (integral) {
        qint64 i = 0;
        auto [ptr, ec] = std::from_chars(start, p, i);
        if (ec == std::errc() && ptr == p)
            return QJsonValue(i);
    }
    double d = 0;
    auto [ptr, ec] = std::from_chars(start, p, d);
    if (ec != std::errc() || ptr != p || !std::isfinite(d))
        return std::nullopt;
    return QJsonValue(d);
}

std::optional<double> JsonScanner::number()
{
    skipSpace();
    auto v = numberValue();
    if (!v)
        return std::nullopt;
    return v->toDouble();
}

namespace {
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<char16_t> JsonScanner::hex4()
{
    if (end - p < 4)
        return std::nullopt;
    int v = 0;
    for (int i = 0; i < 4; ++i) {
        const int h = hexDigit(p[i]);
        if (h < 0)
            return std::nullopt;
        v = v * 16 + h;
    }
    p += 4;
    return char16_t(v);
}

// One UTF-8 sequence starting at p, strictly validated (no overlongs, no surrogates).
bool JsonScanner::utf8(QString &out)
{
    const auto b0 = uchar(*p);
    int n = 0;
    char32_t cp = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 2;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 3;
        cp = b0 & 0x07;
    } else {
        return false;
    }
    if (end - p <= n)
        return false;
    for (int i = 1; i <= n; ++i) {
        const auto b = uchar(p[i]);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    p += n + 1;
    out.append(QStringView(QChar::fromUcs4(cp)));
    return true;
}

std::optional<QString> JsonScanner::string()
{
    skipSpace();
    if (p >= end || *p != '"')
        return std::nullopt;
    ++p;
    const char *plainStart = p;
    while (p < end && *p != '"' && *p != '\\' && uchar(*p) >= 0x20 && uchar(*p) < 0x80)
        ++p;
    if (p < end && *p == '"') {
        QString s = QString::fromLatin1(plainStart, p - plainStart);
        ++p;
        return s;
    }
    QString out = QString::fromLatin1(plainStart, p - plainStart);
    while (p < end) {
        const char c = *p;
        if (c == '"') {
            ++p;
            return out;
        }
        if (uchar(c) < 0x20)
            return std::nullopt;
        if (uchar(c) >= 0x80) {
            if (!utf8(out))
                return std::nullopt;
            continue;
        }
        if (c != '\\') {
            out.append(QLatin1Char(c));
            ++p;
            continue;
        }
        ++p;
        if (p >= end)
            return std::nullopt;
        const char e = *p++;
        switch (e) {
        case '"':
            out.append(u'"');
            break;
        case '\\':
            out.append(u'\\');
            break;
        case '/':
            out.append(u'/');
            break;
        case 'b':
            out.append(u'\b');
            break;
        case 'f':
            out.append(u'\f');
            break;
        case 'n':
            out.append(u'\n');
            break;
        case 'r':
            out.append(u'\r');
            break;
        case 't':
            out.append(u'\t');
            break;
        case 'u': {
            auto u = hex4();
            if (!u)
                return std::nullopt;
            if (QChar::isHighSurrogate(*u)) {
                if (end - p < 6 || p[0] != '\\' || p[1] != 'u')
                    return std::nullopt;
                p += 2;
                auto low = hex4();
                if (!low || !QChar::isLowSurrogate(*low))
                    return std::nullopt;
                out.append(QChar(*u));
                out.append(QChar(*low));
            } else if (QChar::isLowSurrogate(*u)) {
                return std::nullopt;
            } else {
                out.append(QChar(*u));
            }
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
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

std::optional<QJsonValue> parseJson(QByteArrayView text, int maxDepth)
{
    JsonScanner scanner(text, maxDepth);
    auto v = scanner.value();
    if (!v || !scanner.atEnd())
        return std::nullopt;
    return v;
}

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
