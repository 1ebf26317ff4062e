// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CardPanel.h"

#include "CardText.h"
#include "WindowSlots.h"
#include "linux/TrayPopupPosition.h"

#include <QCursor>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>

namespace {
// A click on the tray item first takes the focus from the open card, which closes it; the
// click that follows must not open it again.
constexpr qint64 reopenGuardMs = 300;
} // namespace

CardPanel::CardPanel(QQmlEngine &engine, QObject *parent) : QObject(parent), m_engine(engine) {}

CardPanel::~CardPanel()
{
    delete m_view;
}

QQuickView *CardPanel::window()
{
    if (!m_view) {
        m_view = createModuleView(m_engine, QStringLiteral("MacMenuView.qml"));
        m_view->setTitle(QStringLiteral("Tockly"));
        m_view->setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        // Escape reaches the card only when no open menu of its own took it first.
        if (QQuickItem *root = m_view->rootObject())
            connect(root, SIGNAL(closeRequested()), this, SLOT(hide()));
        connect(m_view, &QWindow::activeChanged, this, [this] {
            if (m_view && !m_view->isActive() && m_view->isVisible())
                hide();
        });
        // The card grows and shrinks with its content; it stays attached to the item.
        connect(m_view, &QWindow::heightChanged, this, [this] {
            if (isShown())
                place();
        });
    }
    return m_view;
}

bool CardPanel::isShown() const
{
    return m_view && m_view->isVisible();
}

void CardPanel::place()
{
    QScreen *screen = m_anchor ? QGuiApplication::screenAt(*m_anchor) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    m_view->setPosition(trayPopupPosition(screen->availableGeometry(), m_anchor, m_view->size()));
}

void CardPanel::setCardVisible(bool visible)
{
    if (QQuickItem *root = m_view ? m_view->rootObject() : nullptr)
        root->setProperty("isVisible", visible);
}

void CardPanel::show(QPoint anchor)
{
    QQuickView *view = window();
    // Under Wayland (XWayland included) the pointer position is stale or unknown.
    m_anchor =
        trayItemPosition(anchor, qEnvironmentVariableIsSet("WAYLAND_DISPLAY"), QCursor::pos());
    const bool wasShown = view->isVisible();
    place();
    view->show();
    view->raise();
    view->requestActivate();
    if (!wasShown) {
        setCardVisible(true);
        emit shownChanged(true);
    }
}

void CardPanel::hide()
{
    if (!isShown())
        return;
    m_view->hide();
    m_hiddenAt.start();
    setCardVisible(false);
    emit shownChanged(false);
}

void CardPanel::toggle(QPoint anchor)
{
    if (isShown())
        hide();
    else if (m_hiddenAt.isValid() && m_hiddenAt.elapsed() < reopenGuardMs)
        m_hiddenAt.invalidate();
    else
        show(anchor);
}
