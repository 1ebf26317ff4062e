// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewWire.h"

#include <QByteArray>
#include <QStringView>

// One answer to an API request: a status and a JSON body. Every refusal carries an "error" text,
// written for people, and a "code" from CrewWire::ErrorCode: apps show their own words for the
// codes they know and the text for the others.
struct Reply {
    int status = 200;
    QByteArray body;

    static Reply json(QByteArray body, int status = 200) { return {status, std::move(body)}; }
    static Reply ok();
    static Reply error(int status, const char *code, QStringView text);

    static Reply unknownCrew();
    static Reply notAMember();
    static Reply storageFailure();
};

// Appends `"name":` to a JSON object being written; field names need no escaping.
void appendKey(QByteArray &body, const char *name);
