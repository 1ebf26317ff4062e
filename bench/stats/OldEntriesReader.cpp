// The hand-written reader the entries file had before simdjson, kept only to be measured beside
// it in one run.
#include "OldEntriesReader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

class JsonScanner {
public:
    explicit JsonScanner(QByteArrayView text, int maxDepth = 64)
        : p(text.data()), end(text.data() + text.size()), maxDepth(maxDepth)
    {}

    bool consume(char c);
    std::optional<QString> string();
    std::optional<double> number();
    std::optional<QJsonValue> value() { return value(0); }
    bool atEnd();

private:
    std::optional<QJsonValue> value(int depth);
    std::optional<QJsonValue> object(int depth);
    std::optional<QJsonValue> array(int depth);
    std::optional<QJsonValue> numberValue();
    bool literal(const char *word, size_t n);
    std::optional<char16_t> hex4();
    bool utf8(QString &out);
    void skipSpace();

    const char *p;
    const char *end;
    int maxDepth;
};

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

std::optional<QUuid> uuidFromText(QStringView text)
{
    if (text.size() != 36)
        return std::nullopt;
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != u"00000000-0000-0000-0000-000000000000")
        return std::nullopt;
    return id;
}

} // namespace

std::optional<QList<WorkEntry>> oldDecodeEntries(QByteArrayView json)
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
