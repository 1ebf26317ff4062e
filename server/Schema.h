// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Database.h"

#include <QSqlDatabase>
#include <QString>

// The tables, built by numbered migrations that run in order at start, each in its own
// transaction. A database written by a newer build is refused rather than guessed at.
namespace Schema {

int latestVersion();
// The version the database is at; 0 when it is empty, -1 when it cannot be read.
int version(QSqlDatabase &db);
bool migrate(QSqlDatabase &db, Database::Engine engine, QString *error);

} // namespace Schema
