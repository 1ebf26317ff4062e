// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

// Installs the catalogues of the session's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) on
// `app`: Tockly's own, built into the binary, and Qt's where the system has it (the command-line
// parser's and the dialogs' words). English, or a language without a catalogue, installs none.
void installTranslations(QCoreApplication &app);
