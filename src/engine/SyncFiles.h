// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

// What every file of the synced folder shares: the format, the bounds on what is read, the
// stamp of the machine that wrote it.

// The files are written in this format; a computer that finds a newer one leaves it alone.
inline constexpr int kSyncFormat = 1;
// A month of a busy record is a tenth of this.
inline constexpr qint64 kLargestMonthFile = 4 << 20;
inline constexpr qint64 kLargestDescription = 64 << 10;

// A file of the synced folder as read: its bytes, or why there are none.
struct SyncFile {
    enum class State { read, missing, tooLarge, unreadable };
    State state = State::missing;
    QByteArray bytes;
};
SyncFile readSyncFile(const QString &path, qint64 largest);

// The "format" a file says it is in; 0 when it says none it could be.
int syncFormatOf(QByteArrayView json);
// The file's object, when it is one in our format.
std::optional<QJsonObject> syncObject(QByteArrayView json);
// The "machine" a file of any format says wrote it; empty when it says none.
QString machineOf(QByteArrayView json);
// The stamp written as "machine": a hash of the system's machine id and the computer's id, so
// that two computers that took one id with a copied home folder are told apart, and the system's
// own machine id is not spread.
QString machineStamp(const QByteArray &machineId, const QUuid &computer);
