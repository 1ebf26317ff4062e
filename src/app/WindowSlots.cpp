// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowSlots.h"

#include "HistoryModel.h"
#include "InviteView.h"
#include "MacWorkStore.h"
#include "OtherComputersModel.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>
#include <QTimer>

#include <functional>

namespace {

// Runs an action when its window gets the close event, by the close button or by close().
class CloseObserver : public QObject {
public:
    CloseObserver(QWindow *window, std::function<void()> action)
        : QObject(window), m_action(std::move(action))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            m_action();
        return false;
    }

private:
    std::function<void()> m_action;
};

// Windows keep the size of their view: fixed, but following the view when its content changes
// (the invitation's two states differ in height).
void keepToRootSize(QQuickView *view)
{
    QQuickItem *root = view->rootObject();
    if (!root)
        return;
    const auto fit = [view, root] {
        const QSize size(qCeil(root->width()), qCeil(root->height()));
        if (size.isEmpty())
            return;
        view->setMinimumSize(size);
        view->setMaximumSize(size);
        view->resize(size);
    };
    QObject::connect(root, &QQuickItem::widthChanged, view, fit);
    QObject::connect(root, &QQuickItem::heightChanged, view, fit);
    fit();
}

// Qt's Wayland plugin presents $XDG_ACTIVATION_TOKEN with the activation request and unsets it;
// without a token, compositors that prevent focus stealing leave the window behind.
void activate(QWindow *window, const QString &token)
{
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    window->requestActivate();
    if (!token.isEmpty())
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

void centre(QQuickView *view)
{
    QScreen *screen = view->screen() ? view->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    view->setPosition(area.center() - QPoint(view->width() / 2, view->height() / 2));
}

} // namespace

QQuickView *createModuleView(QQmlEngine &engine, const QString &file, const QVariantMap &properties)
{
    auto *view = new QQuickView(&engine, nullptr);
    view->setResizeMode(QQuickView::SizeViewToRootObject);
    view->setColor(Qt::transparent);
    view->setInitialProperties(properties);
    view->setSource(QUrl(QStringLiteral("qrc:/Tockly/") + file));
    for (const QQmlError &error : view->errors())
        qWarning().noquote() << error.toString();
    return view;
}

WindowSlots::WindowSlots(QQmlEngine &engine, MacWorkStore &store, QObject *parent)
    : QObject(parent), m_engine(engine), m_store(store)
{}

WindowSlots::~WindowSlots()
{
    for (QQuickView *view : {m_welcome.data(), m_howItWorks.data(), m_history.data(),
                             m_invite.data(), m_otherComputers.data()})
        delete view;
}

QQuickView *WindowSlots::build(const QString &file, const QString &title, Qt::WindowFlags buttons,
                               const QVariantMap &properties)
{
    QQuickView *view = createModuleView(m_engine, file, properties);
    view->setTitle(title);
    view->setFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | buttons);
    keepToRootSize(view);
    centre(view);
    return view;
}

void WindowSlots::bringToFront(QQuickView *window)
{
    const bool onScreen = window->isExposed();
    window->show();
    window->raise();
    // A Wayland compositor ignores activating a surface it has not mapped yet: a new window asks
    // once its first frame is out.
    if (onScreen)
        activate(window, m_activationToken);
    else
        connect(
            window, &QQuickWindow::frameSwapped, window,
            [window, token = m_activationToken] { activate(window, token); },
            Qt::SingleShotConnection);
}

void WindowSlots::showWelcome()
{
    if (!m_welcome) {
        m_welcome = build(QStringLiteral("WelcomeView.qml"), tr("Welcome"), {}, {});
        QQuickView *window = m_welcome;
        if (QQuickItem *root = window->rootObject())
            connect(root, SIGNAL(done()), window, SLOT(close()));
        // The explainer always follows the welcome, however it was closed.
        new CloseObserver(window, [this, window] {
            QTimer::singleShot(0, this, [this, window] {
                if (m_welcome == window)
                    m_welcome = nullptr;
                window->deleteLater();
                showHowItWorks();
            });
        });
    }
    bringToFront(m_welcome);
}

void WindowSlots::showHowItWorks()
{
    if (!m_howItWorks)
        m_howItWorks = build(QStringLiteral("HowItWorksView.qml"), tr("How Tockly works"), {}, {});
    bringToFront(m_howItWorks);
}

void WindowSlots::showHistory()
{
    if (!m_history) {
        // The model keeps the window's state, and lives as long as the window does.
        auto *history = new HistoryModel(m_store, this);
        m_history = build(QStringLiteral("HistoryWindowView.qml"), tr("Tockly — History"),
                          Qt::WindowMinimizeButtonHint,
                          {{QStringLiteral("history"), QVariant::fromValue<QObject *>(history)}});
        history->setParent(m_history);
        connect(m_history, &QWindow::visibleChanged, history, &HistoryModel::setLive);
    }
    bringToFront(m_history);
}

void WindowSlots::showOtherComputers()
{
    if (!m_otherComputers) {
        auto *model = new OtherComputersModel(m_store, this);
        m_otherComputers =
            build(QStringLiteral("OtherComputersView.qml"), tr("Other computers"), {},
                  {{QStringLiteral("computers"), QVariant::fromValue<QObject *>(model)}});
        model->setParent(m_otherComputers);
    }
    bringToFront(m_otherComputers);
}

void WindowSlots::showInviteWindow(const QString &code)
{
    // A new invitation replaces the open one, whose state is lost.
    if (m_invite)
        m_invite->close();
    auto *invite = new InviteView(*m_store.crews(), code, this);
    QQuickView *window =
        build(QStringLiteral("InviteView.qml"), tr("Crew Invite"), {},
              {{QStringLiteral("invite"), QVariant::fromValue<QObject *>(invite)}});
    invite->setParent(window);
    m_invite = window;
    connect(invite, &InviteView::done, this, [this] {
        if (m_invite)
            m_invite->close();
    });
    // Clears the slot only while it still holds this window: the replacing one is stored
    // before this runs.
    new CloseObserver(window, [this, window] {
        QTimer::singleShot(0, this, [this, window] {
            if (m_invite == window)
                m_invite = nullptr;
            window->deleteLater();
        });
    });
    bringToFront(window);
}
