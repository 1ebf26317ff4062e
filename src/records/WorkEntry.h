// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "Json.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QUuid>

#include <optional>
#include <span>
#include <string_view>

// One recorded stretch of work.
struct WorkEntry {
    enum class Kind { timed, added, removed };

    QUuid id;
    Instant date = 0;
    double seconds = 0;
    Kind kind = Kind::timed;

    friend bool operator==(const WorkEntry &, const WorkEntry &) = default;
};

QString kindName(WorkEntry::Kind kind);
std::optional<WorkEntry::Kind> kindFromName(std::string_view name);

// The 36-character upper-case form written to every file.
QString uuidText(const QUuid &id);
// The 36-character hyphenated form in either case, the nil UUID included; nothing for anything
// else (braces, other lengths, stray characters).
std::optional<QUuid> uuidFromText(std::string_view text);

QJsonObject toJson(const WorkEntry &entry);
// Strict: all four keys with the right types, a valid UUID, a known kind, finite numbers.
std::optional<WorkEntry> workEntryFromJson(const QJsonValue &value);

// The entries file and the export document: an array of entries in the given order. Keys are
// written sorted; the pretty style is the export's layout.
QByteArray encodeEntries(std::span<const WorkEntry> entries, JsonStyle style);
// The whole document or nothing. Text read with readJsonFile() is read in place; other text is
// copied first.
std::optional<QList<WorkEntry>> decodeEntries(const QByteArray &json);
