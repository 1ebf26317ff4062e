#pragma once

class AppShell;
class CardModel;
class MacWorkStore;
class QQmlEngine;

// The logic objects the QML module "Tockly" sees as its singletons Store, Card and Shell. They
// are built in C++ and handed over here, per engine, so that none of them knows it is one.
struct QmlObjects {
    MacWorkStore *store = nullptr;
    CardModel *card = nullptr;
    AppShell *shell = nullptr;
};

// Makes the module importable in the engine and gives it these objects, which must outlive it.
void provideQmlObjects(QQmlEngine &engine, const QmlObjects &objects);
