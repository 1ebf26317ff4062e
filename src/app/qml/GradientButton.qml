// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// The big friendly button of the welcome and invitation windows: white on a coral-to-tomato
// capsule.
BareButton {
    id: root
    leftPadding: 40
    rightPadding: 40
    topPadding: 12
    bottomPadding: 12
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: text

    contentItem: UiText {
        text: root.text
        color: "white"
        font.pixelSize: TextStyle.headline
        font.weight: Font.Bold
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        radius: height / 2
        opacity: root.enabled ? (root.down ? 0.85 : 1) : 0.45
        gradient: Gradient {
            GradientStop { position: 0; color: Colors.coral }
            GradientStop { position: 1; color: Colors.tomato }
        }
    }
}
