#include "platform/recovery_folder.h"

#include "platform/safe_write.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSuffix = QStringLiteral(".recovery");

QString lockOf(const QString& copy) {
    return copy.chopped(kSuffix.size()) + QStringLiteral(".lock");
}

std::string native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// True when nobody holds the lock of `copy`: the Songbinder that wrote it
// has ended.
bool isOrphan(const QString& copy) {
    const int fd = ::open(native(lockOf(copy)).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

bool makeFolder(const QString& path) {
    // Private: the copies hold the user's playlists.
    return QDir().mkpath(path) &&
           QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
}

} // namespace

RecoveryFolder::RecoveryFolder(QString folder)
    : m_folder(std::move(folder)) {}

RecoveryFolder::~RecoveryFolder() {
    if (m_lock < 0)
        return;
    // A copy still there belongs to a playlist that was not saved: its lock
    // file stays with it.
    struct stat st {};
    if (::stat(native(m_ownCopy).c_str(), &st) != 0)
        ::unlink(native(lockOf(m_ownCopy)).c_str());
    ::close(m_lock);
}

QString RecoveryFolder::standardLocation() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/songbinder/recovery");
}

bool RecoveryFolder::claim(QString* error) {
    if (m_lock >= 0)
        return true;
    if (!makeFolder(m_folder)) {
        if (error)
            *error = QString::fromStdString(systemErrorText(errno ? errno : EACCES));
        return false;
    }
    // The process id names a running process alone; the time keeps the name
    // from meeting an old copy of a process that had the same id.
    const QString stem = m_folder + QStringLiteral("/%1-%2")
                                        .arg(QCoreApplication::applicationPid())
                                        .arg(QDateTime::currentMSecsSinceEpoch());
    const std::string lock = native(stem + QStringLiteral(".lock"));
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    struct stat held {};
    struct stat named {};
    // Another start clears locks nobody holds: this one must still be the
    // file by that name once it is held.
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
        ::stat(lock.c_str(), &named) != 0 || held.st_ino != named.st_ino) {
        if (error)
            *error = QString::fromStdString(systemErrorText(errno ? errno : EAGAIN));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_lock = fd;
    m_ownCopy = stem + kSuffix;
    return true;
}

bool RecoveryFolder::write(const QByteArray& bytes, QString* error) {
    if (!claim(error))
        return false;
    const SafeWriteResult written = writeFileSafely(
        native(m_ownCopy), std::string_view(bytes.constData(), std::size_t(bytes.size())), {0600});
    if (!written.ok() && error)
        *error = QString::fromStdString(systemErrorText(written.error));
    return written.ok();
}

void RecoveryFolder::remove() {
    if (!m_ownCopy.isEmpty())
        ::unlink(native(m_ownCopy).c_str());
}

QStringList RecoveryFolder::orphans() const {
    // A lock alone is what a Songbinder ended by a signal leaves once its
    // playlist was saved: nothing to offer, nothing to keep.
    const QDir folder(m_folder);
    for (const QString& lock : folder.entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        const QString copy = folder.filePath(lock.chopped(5) + kSuffix);
        if (copy != m_ownCopy && !QFile::exists(copy) && isOrphan(copy))
            ::unlink(native(folder.filePath(lock)).c_str());
    }
    QStringList found;
    const QFileInfoList copies =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies)
        if (copy.filePath() != m_ownCopy && isOrphan(copy.filePath()))
            found.append(copy.filePath());
    return found;
}

std::optional<QByteArray> RecoveryFolder::read(const QString& copy) const {
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool RecoveryFolder::adopt(const QString& copy) {
    if (!claim(nullptr) || ::rename(native(copy).c_str(), native(m_ownCopy).c_str()) != 0)
        return false;
    ::unlink(native(lockOf(copy)).c_str());
    return true;
}

void RecoveryFolder::discard(const QString& copy) {
    ::unlink(native(copy).c_str());
    ::unlink(native(lockOf(copy)).c_str());
}
