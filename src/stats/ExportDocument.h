// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "WorkEntry.h"

#include <QByteArray>

#include <optional>
#include <span>

// The history export: every entry in stored order, pretty printed with sorted keys. Nothing when
// an entry holds a number JSON cannot represent.
std::optional<QByteArray> exportData(std::span<const WorkEntry> entries);

// "Exported 412 entries ✓".
QString exportedMessage(qsizetype count);
