// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import Tockly

// A symbol that acts as a button, with an optional tooltip.
BareButton {
    id: root
    property string symbol
    property real symbolSize: 12
    property color color: Colors.taupe
    property bool bold: false
    property string toolTip

    padding: 2
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    opacity: down ? 0.55 : (hovered ? 0.8 : 1)
    contentItem: SymbolIcon {
        name: root.symbol
        size: root.symbolSize
        color: root.color
        bold: root.bold
    }
    background: Item {}
    ToolTip.visible: hovered && toolTip !== ""
    ToolTip.text: toolTip
    ToolTip.delay: 600
}
