// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Crew codes and member ids come straight from the kernel's random source, so neither can be
// guessed from the other, from the time or from earlier ones.

// Six characters from A-Z and 0-9, without bias.
QString newCrewCode();
// 128 random bits as 32 lower-case hex digits.
QString newMemberId();

bool isMemberId(QStringView text);
