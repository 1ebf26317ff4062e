#include "QmlSingletons.h"

#include "AppShell.h"
#include "CardModel.h"
#include "MacWorkStore.h"

#include <QHash>
#include <QQmlEngine>

namespace {

QHash<const QQmlEngine *, QmlObjects> &objectsByEngine()
{
    static QHash<const QQmlEngine *, QmlObjects> objects;
    return objects;
}

template<typename T> void registerSingleton(const char *name, T *QmlObjects::*member)
{
    qmlRegisterSingletonType<T>("Tockly", 1, 0, name, [member](QQmlEngine *engine, QJSEngine *) {
        QObject *object = objectsByEngine().value(engine).*member;
        // Owned by C++: the engine must never delete it.
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return static_cast<T *>(object);
    });
}

void registerOnce()
{
    static const bool done = [] {
        registerSingleton("Store", &QmlObjects::store);
        registerSingleton("Card", &QmlObjects::card);
        registerSingleton("Shell", &QmlObjects::shell);
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

void provideQmlObjects(QQmlEngine &engine, const QmlObjects &objects)
{
    registerOnce();
    // The module's files are in the resources, under qrc:/Tockly.
    engine.addImportPath(QStringLiteral("qrc:/"));
    objectsByEngine().insert(&engine, objects);
    QObject::connect(&engine, &QObject::destroyed,
                     [key = &engine] { objectsByEngine().remove(key); });
}
