// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SelfTest.h"

#include "AppShell.h"
#include "CardPanel.h"
#include "CrewClient.h"
#include "Fonts.h"
#include "InputSource.h"
#include "InviteView.h"
#include "MacWorkStore.h"
#include "WindowSlots.h"
#include "Workspace.h"
#include "linux/AutostartLoginItems.h"
#include "linux/JsonSettingsStore.h"
#include "linux/QtRepeatingTimer.h"
#include "linux/SystemProcess.h"

#include <QDirIterator>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>

namespace {

// A session where nobody touches anything.
class NoInput final : public InputSource {
public:
    double secondsSinceLastEvent(InputEvent) const override { return 1e9; }
    quint32 eventCounter(InputEvent) const override { return 0; }
};

class NoWorkspace final : public Workspace {
public:
    std::optional<FrontmostApplication> frontmostApplication() const override { return {}; }
};

QStringList *g_problems = nullptr;

// QML's own complaints and anything said about our files; the rest of Qt may talk.
bool aboutQml(const QMessageLogContext &context, const QString &message)
{
    const QLatin1String category(context.category ? context.category : "");
    return category == QLatin1String("qml") || category == QLatin1String("js") ||
           category.startsWith(QLatin1String("qt.qml")) ||
           category.startsWith(QLatin1String("qt.quick")) || message.contains(u".qml");
}

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && g_problems && aboutQml(context, message))
        g_problems->append(message);
}

} // namespace

int runSelfTest(QTextStream &out, QTextStream &err)
{
    QTemporaryDir dir;
    qputenv("QUENBY_DATA_DIR", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    SystemProcess process({});
    JsonSettingsStore settings(dir.filePath(QStringLiteral("settings.json")));
    AutostartLoginItems loginItems(dir.filePath(QStringLiteral("autostart")),
                                   QStringLiteral("tockly"));
    SystemClock clock;
    NoInput input;
    NoWorkspace workspace;
    QtRepeatingTimer timer;
    CrewClient::HttpConnection crews;
    const MacWorkStore::Services services{
        clock, Calendar::system(), input, workspace, settings, loginItems, process,
        timer, dir.path(),         crews};
    auto store = MacWorkStore::open(services);
    if (!store) {
        err << "self-test: no store" << Qt::endl;
        return 1;
    }

    QStringList problems;
    g_problems = &problems;
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    setUpFonts();
    int files = 0;
    {
        AppShell shell(*store, settings);
        // Every file compiles.
        QDirIterator it(QStringLiteral(":/Tockly"), {QStringLiteral("*.qml")});
        while (it.hasNext()) {
            const QString path = it.next();
            QQmlComponent component(&shell.engine(), QUrl(QStringLiteral("qrc") + path));
            if (component.isError())
                problems.append(component.errorString());
            ++files;
        }
        // Every view builds and binds, shown and hidden.
        shell.card().show();
        shell.card().hide();
        shell.windows().showHowItWorks();
        shell.windows().showHistory();
        shell.windows().showInviteWindow(QStringLiteral("ABC123"));
        shell.windows().showOtherComputers();
        shell.windows().showWelcome();
        shell.windows().welcomeWindow()->close();
        QCoreApplication::processEvents();
    }
    qInstallMessageHandler(previous);
    g_problems = nullptr;

    for (const QString &p : problems)
        err << p << Qt::endl;
    if (files == 0)
        err << "self-test: no QML files in the resources" << Qt::endl;
    if (!problems.isEmpty() || files == 0)
        return 1;
    out << "self-test: " << files << " QML files, all views built" << Qt::endl;
    return 0;
}
