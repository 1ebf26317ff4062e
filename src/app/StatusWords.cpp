// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatusWords.h"

#include <QCoreApplication>

namespace {

// The store's four states, word for word as it writes them.
[[maybe_unused]] const char *const storeStatuses[] = {
    QT_TRANSLATE_NOOP("Status", "Auto-tracking is off"),
    QT_TRANSLATE_NOOP("Status", "Counting — you're active"),
    QT_TRANSLATE_NOOP("Status", "Paused — you stepped away"),
    QT_TRANSLATE_NOOP("Status", "Watching for activity…"),
};

} // namespace

QString statusWords(const QString &status)
{
    return QCoreApplication::translate("Status", status.toUtf8().constData());
}
