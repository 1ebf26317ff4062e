// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// The crew box's buttons: bold ink text on a cream capsule.
BareButton {
    id: root
    leftPadding: 10
    rightPadding: 10
    topPadding: 5
    bottomPadding: 5
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: text

    contentItem: UiText {
        text: root.text
        font.pixelSize: TextStyle.caption
        font.weight: Font.Bold
        horizontalAlignment: Text.AlignHCenter
        opacity: root.enabled ? 1 : 0.45
    }
    background: Rectangle {
        radius: height / 2
        color: root.down ? Colors.peach : Colors.cream
        border.width: root.hovered ? 1 : 0
        border.color: Colors.alpha(Colors.coral, 0.35)
    }
}
