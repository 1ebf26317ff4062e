// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

namespace CrewClient {

// One crew membership as kept on this machine.
struct Config {
    QString code;
    QString memberId;
    QString nickname;
    QString crewName;

    friend bool operator==(const Config &, const Config &) = default;
};

// How many memberships this machine keeps at most.
inline constexpr int maxCrews = 5;

QJsonObject toJson(const Config &config);
// All four members are required and must be strings.
std::optional<Config> configFromJson(const QJsonValue &value);

// A nickname (or code) as typed into a crew form, without the spaces and tabs at either end:
// what the forms send.
QString trimmedNickname(const QString &typed);

QByteArray encodeConfigs(const QList<Config> &configs);
std::optional<QList<Config>> decodeConfigs(QByteArrayView json);
std::optional<Config> decodeConfig(QByteArrayView json);

} // namespace CrewClient
