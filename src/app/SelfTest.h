// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTextStream>

// `tockly --self-test`: compiles every QML file of the module and builds each view on a store
// in a temporary folder. Any QML error or warning fails it (exit status 1), so a broken view
// fails CI instead of a user's session.
int runSelfTest(QTextStream &out, QTextStream &err);
