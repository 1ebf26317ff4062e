// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What --version prints for each of our programs: the application's name and version, then its
// copyright and licence in the form GNU programs use, ending in a newline.
QString versionText();
