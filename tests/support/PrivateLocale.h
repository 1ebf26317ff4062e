// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DesktopTestEnvironment.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>

// A locale the machine need not have generated, compiled by localedef from the locale sources
// (/usr/share/i18n) into a folder of the test's own, so the machine's locales stay as they are.
// A process started with `applied(env)` runs in it, its messages in its language.
class PrivateLocale {
public:
    // `name` as LANG gives it ("de_DE.UTF-8"); false, and why in `error`, when it was not made.
    bool make(const QString &name, QString *error)
    {
        const ProgramRun run =
            runProgram(QStringLiteral("localedef"),
                       {QStringLiteral("-i"), name.section(u'.', 0, 0), QStringLiteral("-f"),
                        name.section(u'.', 1), m_dir.filePath(name)},
                       {}, 60000);
        if (run.exitCode != 0) {
            *error = QStringLiteral("localedef did not make %1: %2").arg(name, run.out + run.err);
            return false;
        }
        m_name = name;
        return true;
    }

    // `env` in this locale: what set another (LC_ALL, LC_MESSAGES, ...) goes.
    QProcessEnvironment applied(QProcessEnvironment env) const
    {
        for (const QString &key : env.keys())
            if (key.startsWith(u"LC_"))
                env.remove(key);
        env.insert(QStringLiteral("LOCPATH"), m_dir.path());
        env.insert(QStringLiteral("LANG"), m_name);
        env.insert(QStringLiteral("LANGUAGE"), m_name.section(u'.', 0, 0));
        return env;
    }

private:
    QTemporaryDir m_dir;
    QString m_name;
};
