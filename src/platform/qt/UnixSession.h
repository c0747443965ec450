#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QObject>

#include <functional>

// How the program lives among the other users of a Unix farm PC.
namespace UnixSession {

// The log, setup and port files are shared by the users of the program folder's group (its
// folders are setgid), so every file the process makes from now on is group-writable.
void makeFilesGroupWritable();

// Ended by the session (logout, shutdown, kill: SIGTERM, SIGHUP or SIGINT), the program is told
// through `owner`'s event loop, the only safe way out of a signal handler, and can quit as from
// its window: the port is closed and its lock file removed. A lock left by a user's killed
// program would keep the other users of the farm PC off the port until the next boot. Once per
// process, for its lifetime; should it fail to set the handlers, the signals end the process at
// once, as before.
void watchEndSignals(QObject &owner, std::function<void()> ended);

} // namespace UnixSession
#endif
