// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The store's status text in the session's language, for people: the tray item's tooltip and
// `tockly status`. The bus and JSON keep the store's own English words, which panels and scripts
// may match; a status this table does not know is shown as it stands.
QString statusWords(const QString &status);
