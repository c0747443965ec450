#include "platform/qt/UnixSession.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UnixSession {

namespace {
// Written to by the signal handler, read by the event loop.
int g_endSignal[2];

void onEndSignal(int)
{
    [[maybe_unused]] const auto written = ::write(g_endSignal[0], "x", 1);
}
} // namespace

void makeFilesGroupWritable()
{
    ::umask(::umask(0) & ~mode_t(S_IWGRP));
}

void watchEndSignals(QObject &owner, std::function<void()> ended)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_endSignal) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_endSignal[1], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner, [ended = std::move(ended)] {
        char byte;
        [[maybe_unused]] const auto read = ::read(g_endSignal[1], &byte, 1);
        ended();
    });
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    ::sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

} // namespace UnixSession
#endif
