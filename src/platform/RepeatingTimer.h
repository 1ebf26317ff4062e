// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// A repeating timer on the main loop. Starting it again replaces the running schedule.
class RepeatingTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // tolerance: how late a firing may come, so the system can batch wake-ups.
    virtual void start(double intervalSeconds, double toleranceSeconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    void fired();
};
