// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// One place on a crew's board: the rank mark, the nickname, and today's time or, while its
// removal awaits confirmation, "Remove?" and "Keep".
RowLayout {
    id: row
    required property int position
    required property string rankMark
    required property string nickname
    required property string todayText
    required property bool isOwn
    required property bool removable
    required property bool confirming

    signal removeAsked()
    signal removeConfirmed()
    signal kept()

    spacing: 8

    UiText {
        objectName: "rankMark"
        Layout.preferredWidth: 22
        horizontalAlignment: Text.AlignHCenter
        text: row.rankMark
        color: Colors.taupe
        font.pixelSize: 13
        font.weight: Font.Bold
    }

    UiText {
        objectName: "nickname"
        Layout.fillWidth: true
        elide: Text.ElideRight
        text: row.nickname + (row.isOwn ? " (you)" : "")
        font.pixelSize: TextStyle.callout
        font.weight: row.isOwn ? Font.Bold : Font.Medium
    }

    PlainButton {
        objectName: "confirmRemove"
        visible: row.confirming
        text: "Remove?"
        color: Colors.tomato
        pixelSize: TextStyle.caption2
        weight: Font.Bold
        onClicked: row.removeConfirmed()
    }
    PlainButton {
        objectName: "keep"
        visible: row.confirming
        text: "Keep"
        pixelSize: TextStyle.caption2
        onClicked: row.kept()
    }

    MonoDigits {
        objectName: "todayTime"
        visible: !row.confirming
        text: row.todayText
        pixelSize: TextStyle.callout
        weight: Font.Bold
        color: row.position === 0 ? Colors.amber : Colors.ink
    }
    IconButton {
        objectName: "removeButton"
        visible: !row.confirming && row.removable && !row.isOwn
        symbol: "xmark.circle"
        symbolSize: 11
        bold: true
        color: Colors.alpha(Colors.taupe, 0.6)
        toolTip: "Remove " + row.nickname + " from the crew"
        Accessible.name: toolTip
        onClicked: row.removeAsked()
    }
}
