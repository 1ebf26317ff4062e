// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// A button that is only its text.
BareButton {
    id: root
    property color color: Colors.taupe
    property int pixelSize: TextStyle.caption
    property int weight: Font.Normal
    property string toolTip

    padding: 0
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.name: text

    contentItem: UiText {
        text: root.text
        color: root.color
        font.pixelSize: root.pixelSize
        font.weight: root.weight
        font.underline: root.hovered
        opacity: root.down ? 0.6 : 1
    }
    background: Item {}
    ToolTip.visible: hovered && toolTip !== ""
    ToolTip.text: toolTip
    ToolTip.delay: 600
}
