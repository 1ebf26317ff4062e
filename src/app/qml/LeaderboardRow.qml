// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// One place on the displayed crew's board: the rank mark, the nickname, and today's time or,
// while its removal awaits confirmation, "Remove?" and "Keep".
RowLayout {
    id: row
    // The place, from the crew model's board.
    required property int index
    required property string rankMark
    required property string nickname
    required property string todayText
    required property bool own
    readonly property bool confirming: Crew.pendingRemoval === row.nickname

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
        //: After the person's own nickname on the board.
        text: row.nickname + (row.own ? qsTr(" (you)") : "")
        font.pixelSize: TextStyle.callout
        font.weight: row.own ? Font.Bold : Font.Medium
    }

    PlainButton {
        objectName: "confirmRemove"
        visible: row.confirming
        //: Asks to confirm removing a member from the crew.
        text: qsTr("Remove?")
        color: Colors.tomato
        pixelSize: TextStyle.caption2
        weight: Font.Bold
        onClicked: Crew.confirmRemoval()
    }
    PlainButton {
        objectName: "keep"
        visible: row.confirming
        //: Keeps the member in the crew after all.
        text: qsTr("Keep")
        pixelSize: TextStyle.caption2
        onClicked: Crew.keepMember()
    }

    MonoDigits {
        objectName: "todayTime"
        visible: !row.confirming
        text: row.todayText
        pixelSize: TextStyle.callout
        weight: Font.Bold
        color: row.index === 0 ? Colors.amber : Colors.ink
    }
    IconButton {
        objectName: "removeButton"
        visible: !row.confirming && Crew.owned && !row.own
        symbol: "xmark.circle"
        symbolSize: 11
        bold: true
        color: Colors.alpha(Colors.taupe, 0.6)
        toolTip: qsTr("Remove %1 from the crew").arg(row.nickname)
        Accessible.name: toolTip
        onClicked: Crew.askRemoval(row.nickname)
    }
}
