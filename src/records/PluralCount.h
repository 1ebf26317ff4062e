// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <algorithm>
#include <climits>

// The number Qt's plural forms (%n) choose by: they count in int, so a larger count reads as the
// largest.
inline int pluralCount(qint64 n)
{
    return int(std::clamp<qint64>(n, INT_MIN, INT_MAX));
}
