// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Shapes
import Tockly

// The smiley: a soft body that bobs while the user works, blinks while idle, with the lucky 7
// floating at its shoulder. Its motion is a function of absolute time, so every mascot on screen
// moves in step; it redraws at most 30 times a second and only while animated.
Item {
    id: mascot
    property bool isWorking: false
    property bool animated: false
    property bool blink: false

    // The frame time: seconds since 2001-01-01 00:00:00 UTC.
    property real t: frameTime()
    property int frames: 0
    property real blinkChangedAt: -1e9

    readonly property real w: 2 * Math.PI * t
    readonly property real bob: 5 * Math.sin(w / 2.4)
    readonly property real floatOffset: 4 * Math.sin(w / 2.8 + 1.2)
    readonly property real armA: (Math.sin(w / 1.7) + 1) * 0.5
    readonly property real armB: (Math.sin(w / 1.7 + Math.PI) + 1) * 0.5
    // Closing eases in over 0.07 s, opening eases out over 0.1 s.
    readonly property real eyeScale: {
        const dt = t - blinkChangedAt
        if (blink) {
            const p = Math.min(1, Math.max(0, dt / 0.07))
            return 1 - 0.92 * p * p
        }
        const q = Math.min(1, Math.max(0, dt / 0.1))
        return 0.08 + 0.92 * (1 - (1 - q) * (1 - q))
    }

    readonly property real centreX: 100
    readonly property real bodyTop: 40 + bob
    readonly property real bodyCentreY: bodyTop + 65

    width: 200
    height: 200

    function frameTime() { return Date.now() / 1000 - 978307200 }

    Timer {
        id: frameTimer
        objectName: "mascotFrameTimer"
        // About 28 frames a second, so that with the clock's and the blink's own redraws the
        // card stays under 30.
        interval: 36
        repeat: true
        running: mascot.animated
        onTriggered: {
            mascot.t = mascot.frameTime()
            mascot.frames++
        }
    }

    Timer {
        objectName: "mascotBlinkTimer"
        interval: 3400
        repeat: true
        running: mascot.animated
        onTriggered: {
            if (!mascot.animated || mascot.isWorking)
                return
            mascot.blink = true
            mascot.blinkChangedAt = mascot.frameTime()
            reopen.restart()
        }
    }

    Timer {
        id: reopen
        interval: 130
        onTriggered: {
            mascot.blink = false
            mascot.blinkChangedAt = mascot.frameTime()
        }
    }

    // 1. The ground shadow, a little smaller while the body is up.
    Rectangle {
        width: 110
        height: 18
        radius: 9
        x: mascot.centreX - width / 2
        y: 186 - height / 2
        color: Colors.alpha(Colors.ink, 0.1)
        scale: 1 - 0.012 * mascot.bob
    }

    // 2. The body with its coral glow.
    Item {
        id: body
        objectName: "mascotBody"
        x: mascot.centreX - 75
        y: mascot.bodyTop
        width: 150
        height: 130

        SoftShadow {
            anchors.fill: parent
            anchors.topMargin: 8
            anchors.bottomMargin: -8
            color: Colors.coral
            opacityTotal: 0.18
            blur: 14
            radius: 44
        }

        Shape {
            anchors.fill: parent
            ShapePath {
                strokeColor: "transparent"
                fillGradient: LinearGradient {
                    x1: 0; y1: 0; x2: 150; y2: 130
                    GradientStop { position: 0; color: "white" }
                    GradientStop { position: 1; color: Colors.peach }
                }
                PathSvg {
                    path: "M 44 0 L 106 0 C 136 0 150 14 150 44 L 150 86 C 150 116 136 130 106 130 "
                          + "L 44 130 C 14 130 0 116 0 86 L 0 44 C 0 14 14 0 44 0 Z"
                }
            }
        }

        // 3. The face: eyes over the mouth, the cheeks 10 lower than the eyes.
        Repeater {
            model: [-17, 17]
            // Qt 6.4's qmllint does not follow ids into a delegate.
            // qmllint disable unqualified
            Item {
                required property real modelData
                x: 75 + modelData - width / 2
                y: 52 - height / 2
                width: 18
                height: 16

                Rectangle {
                    objectName: "mascotEye"
                    visible: !mascot.isWorking
                    anchors.centerIn: parent
                    width: 13
                    height: 15
                    radius: 6.5
                    color: Colors.ink
                    transform: Scale {
                        origin.y: 7.5
                        yScale: mascot.eyeScale
                    }
                }

                Shape {
                    visible: mascot.isWorking
                    anchors.centerIn: parent
                    width: 18
                    height: 10
                    ShapePath {
                        strokeColor: Colors.ink
                        strokeWidth: 3.5
                        fillColor: "transparent"
                        capStyle: ShapePath.RoundCap
                        PathSvg { path: "M 1.75 8.25 Q 9 -2.5 16.25 8.25" }
                    }
                }
            }
            // qmllint enable unqualified
        }

        Shape {
            x: 75 - width / 2
            y: 80 - height / 2
            width: 26
            height: 12
            scale: mascot.isWorking ? 1.25 : 1
            ShapePath {
                strokeColor: Colors.ink
                strokeWidth: 3.5
                fillColor: "transparent"
                capStyle: ShapePath.RoundCap
                PathSvg { path: "M 1.75 1.75 Q 13 17 24.25 1.75" }
            }
        }

        Repeater {
            model: [-42, 42]
            Rectangle {
                required property real modelData
                x: 75 + modelData - width / 2
                y: 62 - height / 2
                width: 16
                height: 11
                radius: 5.5
                color: Colors.alpha(Colors.blush, 0.65)
            }
        }
    }

    // 4. The lucky 7, drifting by the float value.
    Item {
        id: badge
        width: 26
        height: 34
        x: mascot.centreX + 46 - width / 2
        y: mascot.bodyCentreY - mascot.bob - 88 + mascot.floatOffset - height / 2
        rotation: -10

        Repeater {
            // The soft amber shadow, 2 down, blurred over a few faint copies.
            model: [[0, 2, 0.2], [-1, 2.5, 0.08], [1, 2.5, 0.08], [0, 3.5, 0.07]]
            Shape {
                id: shadowCopy
                required property var modelData
                anchors.fill: parent
                ShapePath {
                    strokeColor: "transparent"
                    fillColor: Colors.alpha(Colors.amber, shadowCopy.modelData[2])
                    PathText {
                        x: 2 + shadowCopy.modelData[0]; y: shadowCopy.modelData[1]
                        text: "7"
                        font.pixelSize: 30
                        font.weight: Font.Black
                    }
                }
            }
        }
        Shape {
            anchors.fill: parent
            ShapePath {
                strokeColor: "transparent"
                fillGradient: LinearGradient {
                    x1: 0; y1: 0; x2: 0; y2: 30
                    GradientStop { position: 0; color: Colors.honey }
                    GradientStop { position: 1; color: Colors.amber }
                }
                PathText {
                    x: 2; y: 0
                    text: "7"
                    font.pixelSize: 30
                    font.weight: Font.Black
                }
            }
        }
    }

    // 5. Sparkles on either side, twinkling in turn, only while working.
    UiText {
        objectName: "sparkleA"
        visible: mascot.isWorking
        text: "✦"
        color: Colors.honey
        font.pixelSize: 16
        x: mascot.centreX - 80 - width / 2
        y: mascot.bodyCentreY - mascot.bob + (mascot.bob - 50) - height / 2
        opacity: 0.25 + 0.75 * mascot.armA
    }
    UiText {
        objectName: "sparkleB"
        visible: mascot.isWorking
        text: "✦"
        color: Colors.honey
        font.pixelSize: 12
        x: mascot.centreX + 78 - width / 2
        y: mascot.bodyCentreY - mascot.bob + (mascot.bob - 20) - height / 2
        opacity: 0.25 + 0.75 * mascot.armB
    }
}
