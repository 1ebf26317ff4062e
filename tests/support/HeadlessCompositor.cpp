// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessCompositor.h"

using namespace Qt::Literals::StringLiterals;

QString HeadlessCompositor::socketPath() const
{
    return m_client.value(u"XDG_RUNTIME_DIR"_s) + u'/' + m_client.value(u"WAYLAND_DISPLAY"_s);
}

void HeadlessCompositor::setClient(const QString &runtimeDir, const QString &display,
                                   const QString &desktop)
{
    m_client = QProcessEnvironment::systemEnvironment();
    m_client.remove(u"DISPLAY"_s);
    m_client.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir);
    m_client.insert(u"WAYLAND_DISPLAY"_s, display);
    m_client.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
    m_client.insert(u"XDG_CURRENT_DESKTOP"_s, desktop);
    m_client.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus.address());
    m_client.insert(u"LSAN_OPTIONS"_s, u"print_suppressions=0:suppressions="_s +
                                           QStringLiteral(TOCKLY_TEST_WAYLAND_LEAKS));
}

bool HeadlessCompositor::launch(const QString &program, const QStringList &arguments,
                                const QProcessEnvironment &environment, int timeoutMs,
                                const std::function<bool()> &ready, QString *error)
{
    const QString log = m_runtime.filePath(u"compositor.log"_s);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(log);
    m_process.start(program, arguments);
    if (waitUntil(m_process, timeoutMs, ready))
        return true;
    *error = program + u" did not start: "_s + QString::fromUtf8(readFile(log).right(3000));
    return false;
}

void HeadlessCompositor::stop()
{
    m_windows.clear();
    stopProcess(m_process);
}

// tockly-test-wayland-client with these arguments, once it says it is shown.
static std::unique_ptr<ChildProcess> shownClient(const QProcessEnvironment &env,
                                                 const QStringList &arguments)
{
    auto p = std::make_unique<ChildProcess>();
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(TOCKLY_TEST_WAYLAND_CLIENT), arguments);
    return readLine(*p) == "mapped"_L1 ? std::move(p) : nullptr;
}

bool HeadlessCompositor::openWindow(const QString &appId, const QString &title)
{
    auto p = shownClient(m_client, {appId, title});
    if (!p)
        return false;
    m_windows.emplace_back(appId, std::move(p));
    return true;
}

void HeadlessCompositor::closeWindow(const QString &appId)
{
    std::erase_if(m_windows, [&](const auto &window) { return window.first == appId; });
}

QString HeadlessCompositor::launcherToken(const QString &appId, QString *error)
{
    auto p = shownClient(m_client, {u"--launcher"_s, appId});
    *error = u"the launcher was not shown"_s;
    if (!p)
        return {};
    // A click before the compositor has seen the pointer arrive goes to what was there before.
    pointAtTheMiddle();
    *error = u"the pointer did not reach the launcher"_s;
    if (readLine(*p) != "pointed at"_L1)
        return {};
    click();
    const QString token = readLine(*p);
    *error = u"the launcher got no token for its click"_s;
    m_windows.emplace_back(u"launcher"_s, std::move(p));
    return token;
}
