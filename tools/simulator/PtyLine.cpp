#include "PtyLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

// Replaces whatever link is at `linkPath` with one to `target`, in one rename.
bool placeLink(const QString &target, const QString &linkPath, QString *error)
{
    const QFileInfo existing(linkPath);
    if (existing.exists() && !existing.isSymLink()) {
        *error = QStringLiteral("%1 exists and is not a link; not replacing it").arg(linkPath);
        return false;
    }
    if (!QDir().mkpath(existing.absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(existing.absolutePath());
        return false;
    }
    const QByteArray temporary = QFile::encodeName(linkPath + QStringLiteral(".new"));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0
        || ::rename(temporary.constData(), QFile::encodeName(linkPath).constData()) != 0) {
        *error = systemError(QStringLiteral("cannot link %1").arg(linkPath));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}
} // namespace

std::unique_ptr<PtyLine> PtyLine::open(const QString &linkPath, int baud, QString *error)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0) {
        *error = systemError(QStringLiteral("posix_openpt"));
        return nullptr;
    }
    const char *name = (::grantpt(master) == 0 && ::unlockpt(master) == 0) ? ::ptsname(master) : nullptr;
    const int slave = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        *error = systemError(QStringLiteral("pseudo-terminal"));
        ::close(master);
        return nullptr;
    }
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    termios settings{};
    ::tcgetattr(slave, &settings);
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B4800);
    ::tcsetattr(slave, TCSANOW, &settings);

    const QString device = QString::fromLocal8Bit(name);
    if (!placeLink(device, linkPath, error)) {
        ::close(slave);
        ::close(master);
        return nullptr;
    }
    return std::make_unique<PtyLine>(Key(), master, slave, device, linkPath, baud);
}

PtyLine::PtyLine(Key, int master, int slave, QString device, QString link, int baud)
    : m_master(master), m_slave(slave), m_device(std::move(device)), m_link(std::move(link)), m_baud(baud)
{
    m_clock.start();
    m_reader = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_reader.get(), &QSocketNotifier::activated, this, &PtyLine::readAvailable);
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_writeTimer, &QTimer::timeout, this, &PtyLine::writeDue);
}

PtyLine::~PtyLine()
{
    // The link goes only when it is still ours.
    if (QFileInfo(m_link).symLinkTarget() == m_device)
        QFile::remove(m_link);
    m_reader.reset();
    ::close(m_slave);
    ::close(m_master);
}

void PtyLine::readAvailable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            Q_EMIT received(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN: all read
    }
}

void PtyLine::send(const QByteArray &bytes, int delayMs)
{
    m_queue.push_back(Pending{m_clock.elapsed() + std::max(0, delayMs), bytes});
    schedule();
}

void PtyLine::schedule()
{
    if (m_queue.empty() || m_writeTimer.isActive())
        return;
    const qint64 at = std::max(m_queue.front().dueMs, m_lineFreeMs);
    m_writeTimer.start(int(std::max<qint64>(0, at - m_clock.elapsed())));
}

void PtyLine::writeDue()
{
    if (m_queue.empty())
        return;
    QByteArray &bytes = m_queue.front().bytes;
    const ssize_t n = ::write(m_master, bytes.constData(), size_t(bytes.size()));
    const qint64 now = m_clock.elapsed();
    if (n > 0) {
        // 10 bit times a byte: start, 8 data, stop.
        m_lineFreeMs = now + (m_baud > 0 ? qint64(n) * 10 * 1000 / m_baud : 0);
        bytes.remove(0, n);
    } else {
        m_lineFreeMs = now + 50; // the far end is not reading: try again shortly
    }
    if (bytes.isEmpty())
        m_queue.pop_front();
    schedule();
}
