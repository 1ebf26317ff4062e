// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

QString setUpFonts()
{
    QString family;
    const QString bundled = QStringLiteral(":/fonts/Outfit.ttf");
    if (QFile::exists(bundled)) {
        const QStringList families =
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(bundled));
        if (!families.isEmpty())
            family = families.first();
    }
    if (family.isEmpty() && QFontDatabase::hasFamily(QStringLiteral("Quicksand")))
        family = QStringLiteral("Quicksand");
    QFont font = QGuiApplication::font();
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(13);
    // The emoji come from the colour emoji face whatever the text face is.
    font.setFamilies({font.family(), QStringLiteral("Noto Color Emoji")});
    QGuiApplication::setFont(font);
    return font.family();
}
