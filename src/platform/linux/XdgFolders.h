// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"

#include <QString>

// The per-user base folders of the XDG layout. A variable that is unset, empty or not an absolute
// path is ignored, as the layout prescribes.
QString xdgDataHome(const Process &process);   // $XDG_DATA_HOME, else ~/.local/share
QString xdgConfigHome(const Process &process); // $XDG_CONFIG_HOME, else ~/.config
