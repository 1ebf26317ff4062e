// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Tockly

// The invitation window: pick a nickname and join the offered crew. Typing goes straight into
// the nickname field, and Return joins.
Rectangle {
    id: view
    required property InviteModel invite

    width: 380
    height: column.implicitHeight + 56
    color: Colors.cream

    Keys.onReturnPressed: defaultAction()
    Keys.onEnterPressed: defaultAction()

    function defaultAction() {
        if (!invite.joined && invite.canJoin)
            invite.join()
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 28
        spacing: 14

        // Before joining.
        UiText {
            objectName: "inviteTitle"
            visible: !view.invite.joined
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: qsTr("You're invited to a crew! 👑")
            font.pixelSize: TextStyle.title2
            font.weight: Font.Bold
        }
        UiText {
            visible: !view.invite.joined
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            text: qsTr("Race your friends for today's crown. Pick a nickname — it's the only thing they'll see, along with your daily totals.")
            color: Colors.taupe
            font.pixelSize: TextStyle.callout
        }
        UiText {
            objectName: "inviteCode"
            visible: !view.invite.joined
            //: %1 is the crew's code, such as LUCKY7.
            text: qsTr("crew code · %1").arg(view.invite.code)
            color: Colors.taupe
            font.pixelSize: TextStyle.caption
            font.weight: Font.DemiBold
            font.letterSpacing: 0.5
        }
        CrewTextField {
            id: nicknameField
            objectName: "inviteNickname"
            visible: !view.invite.joined
            Layout.fillWidth: true
            focus: true
            placeholderText: qsTr("Your nickname")
            text: view.invite.nickname
            onTextEdited: view.invite.nickname = text
        }
        GradientButton {
            objectName: "joinButton"
            visible: !view.invite.joined
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Join the crew")
            enabled: view.invite.canJoin
            onClicked: view.invite.join()
        }
        UiText {
            objectName: "inviteError"
            visible: !view.invite.joined && view.invite.crewError !== ""
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: view.invite.crewError
            color: Colors.tomato
            font.pixelSize: TextStyle.caption
        }

        // Joined.
        ColumnLayout {
            id: joinedState
            objectName: "joinedState"
            visible: view.invite.joined
            Layout.fillWidth: true
            spacing: 14
            opacity: view.invite.joined ? 1 : 0
            scale: view.invite.joined ? 1 : 0.92
            Behavior on opacity { NumberAnimation { duration: 400; easing.type: Easing.OutCubic } }
            Behavior on scale { NumberAnimation { duration: 400; easing.type: Easing.OutCubic } }

            UiText {
                objectName: "joinedTitle"
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                text: qsTr("You're in! 👑")
                font.pixelSize: TextStyle.title2
                font.weight: Font.Bold
            }
            UiText {
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                text: qsTr("Find your crew's leaderboard under the little smiley in your panel. Now get working — the crown won't win itself.")
                color: Colors.taupe
                font.pixelSize: TextStyle.callout
            }
            GradientButton {
                objectName: "letsGoButton"
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("Let's go 🍀")
                onClicked: view.invite.finish()
            }
        }
    }
}
