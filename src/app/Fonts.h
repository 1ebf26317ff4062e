// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Registers the rounded face among the application's resources when there is one ("Outfit"),
// otherwise uses Quicksand from the system's fonts, and makes it the application's font.
// Returns the family in use.
QString setUpFonts();
