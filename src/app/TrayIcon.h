// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The smiley of the tray item, drawn at any size: a honey face with ink eyes and smile, which
// reads on light and dark panels alike.
QImage smileyImage(int size);
// The sizes panels ask for most.
QList<QImage> smileyImages();
QIcon smileyIcon();
