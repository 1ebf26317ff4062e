// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Tockly

// Text in the application's rounded face, ink unless told otherwise.
Text {
    color: Colors.ink
    font.pixelSize: TextStyle.body
    textFormat: Text.PlainText
}
