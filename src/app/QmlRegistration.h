// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AppShell.h"
#include "InviteView.h"
#include "MacWorkStore.h"

#include <QJSEngine>
#include <QtQml/qqmlregistration.h>

// The objects of the lower libraries as the QML module "Tockly" sees them. They are built in
// C++ and know nothing of QML; the singletons are the objects of the shell that owns the engine.

// The store as the singleton Store.
struct StoreForeign {
    Q_GADGET
    QML_FOREIGN(MacWorkStore)
    QML_NAMED_ELEMENT(Store)
    QML_SINGLETON

public:
    static MacWorkStore *create(QQmlEngine *engine, QJSEngine *)
    {
        MacWorkStore *store = &AppShell::owning(*engine).store();
        QJSEngine::setObjectOwnership(store, QJSEngine::CppOwnership);
        return store;
    }
};

// The store's crews, reached as Store.crews.
struct CrewsForeign {
    Q_GADGET
    QML_FOREIGN(Crews)
    QML_NAMED_ELEMENT(Crews)
    QML_UNCREATABLE("Owned by the store")
};

// The invitation window's model, handed to the window when it is built.
struct InviteViewForeign {
    Q_GADGET
    QML_FOREIGN(InviteView)
    QML_NAMED_ELEMENT(InviteModel)
    QML_UNCREATABLE("Built with its window")
};
