// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <optional>

class QQmlEngine;
class QQuickView;

// The menu-bar card in a borderless window that behaves like a panel: it opens next to the tray
// item (under the pointer when the panel gave no position), takes the keyboard focus, and closes
// on Escape and when it loses the focus. The card is built once and kept while hidden.
class CardPanel : public QObject {
    Q_OBJECT
public:
    explicit CardPanel(QQmlEngine &engine, QObject *parent = nullptr);
    ~CardPanel() override;

    // A null anchor means: at the pointer.
    void show(QPoint anchor = {});
    Q_SLOT void hide();
    // A click on the tray item: shows the card, or hides it when it is open (or was closed by
    // that very click taking the focus away).
    void toggle(QPoint anchor = {});
    bool isShown() const;

    QQuickView *window();

signals:
    void shownChanged(bool shown);

private:
    void place();
    void setCardVisible(bool visible);

    QQmlEngine &m_engine;
    QPointer<QQuickView> m_view;
    std::optional<QPoint> m_anchor; // none: the panel did not say (Wayland)
    QElapsedTimer m_hiddenAt;
};
