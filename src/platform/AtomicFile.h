// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole file or nothing: the bytes go to a new file beside it, which replaces the
// old one only once every byte is on disk. False, with the old file as it was, on any failure.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);
