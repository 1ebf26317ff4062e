#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>

#include <optional>

// Strict JSON reading for stored files and server replies. Unlike QJsonDocument it refuses
// duplicate keys, invalid UTF-8, lone surrogates, non-finite numbers and nesting deeper than
// maxDepth, and it keeps integers that fit in 64 bits exact. Anything else fails cleanly.
std::optional<QJsonValue> parseJson(QByteArrayView text, int maxDepth = 64);

// A strict pull reader over JSON text, for decoders that fill records directly instead of
// building a document first. Each call skips leading white space and fails (returns false or
// nothing) on anything unexpected; after a failure the scanner should be dropped.
class JsonScanner {
public:
    explicit JsonScanner(QByteArrayView text, int maxDepth = 64)
        : p(text.data()), end(text.data() + text.size()), maxDepth(maxDepth)
    {}

    // Consumes c when it is the next character.
    bool consume(char c);
    std::optional<QString> string();
    // Any finite number.
    std::optional<double> number();
    // One whole value of any type, as a document.
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

// Writing. Numbers get the shortest text that reads back to the same double; integers stay
// integers. Pretty output sorts keys, indents by two spaces and writes members as "key" : value.
enum class JsonStyle { compact, pretty };
QByteArray writeJson(const QJsonValue &value, JsonStyle style = JsonStyle::compact);

void appendJsonNumber(QByteArray &out, double d);
void appendJsonString(QByteArray &out, QStringView s);
