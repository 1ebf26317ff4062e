import QtQuick
import QtQuick.Layouts
import Tockly

// For now the history window lists the last 30 days' totals; the calendar and the per-day
// breakdown come with its own view.
Rectangle {
    id: history
    readonly property real now: Card.now()
    readonly property var days: {
        const list = []
        let day = Card.startOfDay(now)
        for (let i = 0; i < 30; ++i) {
            list.push({ day: day, seconds: Card.dayTotal(day, now), detail: Card.dayDetail(day, now) })
            day = Card.startOfDay(day - 1)
        }
        return list
    }

    width: 420
    height: column.implicitHeight + 48
    color: Colors.cream

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 24
        spacing: 6

        UiText {
            text: "History"
            font.pixelSize: TextStyle.title2
            font.weight: Font.Bold
        }
        Repeater {
            model: history.days
            RowLayout {
                required property var modelData
                Layout.fillWidth: true
                UiText {
                    Layout.fillWidth: true
                    text: modelData.detail.date
                    color: Colors.taupe
                }
                UiText {
                    text: modelData.detail.duration
                    font.weight: Font.Bold
                }
            }
        }
    }
}
