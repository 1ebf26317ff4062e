// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>

#include <optional>

// Strict JSON reading for stored files and server replies, on simdjson. Beyond plain JSON
// (which simdjson checks: syntax, UTF-8, escapes and lone surrogates, numbers beyond a double or,
// written as integers, beyond 64 bits) it refuses duplicate keys and nesting deeper than maxDepth
// arrays and objects (at least one), and it keeps integers that fit in 64 bits exact. Anything
// else fails cleanly.
std::optional<QJsonValue> parseJson(QByteArrayView text, int maxDepth = 64);

// The rest of a file, with the spare room after it that lets simdjson read the text in place: a
// large entries file is then not copied once more at start.
class QIODevice;
QByteArray readJsonFile(QIODevice &file);

// Writing. Numbers get the shortest text that reads back to the same double; integers stay
// integers. Pretty output sorts keys, indents by two spaces and writes members as "key" : value.
enum class JsonStyle { compact, pretty };
QByteArray writeJson(const QJsonValue &value, JsonStyle style = JsonStyle::compact);

void appendJsonNumber(QByteArray &out, double d);
void appendJsonString(QByteArray &out, QStringView s);
