// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// A rounded single-line field.
TextField {
    id: field
    implicitHeight: 28
    leftPadding: 10
    rightPadding: 10
    color: Colors.ink
    placeholderTextColor: Colors.alpha(Colors.taupe, 0.7)
    selectionColor: Colors.alpha(Colors.honey, 0.6)
    selectedTextColor: Colors.ink
    font.pixelSize: TextStyle.body
    Accessible.name: placeholderText
    background: Rectangle {
        radius: 8
        color: "white"
        border.width: field.activeFocus ? 1.5 : 1
        border.color: field.activeFocus ? Colors.coral : Colors.alpha(Colors.ink, 0.15)
    }
}
