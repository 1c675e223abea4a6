#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>

// A small tmpfs of its own for the life of the object, so a test can fill
// it up. Mounting needs root; a test that cannot get one skips.
class SmallDisk {
public:
    explicit SmallDisk(const char* size = "size=128k") {
        m_mounted = m_dir.isValid() &&
                    ::mount("songbinder-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                            0, size) == 0;
        if (m_mounted)
            QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777));
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes every free byte: after this, nothing more fits.
    void fill() {
        QFile filler(filePath(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }
    // The names in the disk's top folder (the filler left out).
    QStringList names() const {
        QStringList all = QDir(path()).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        all.removeAll(QStringLiteral(".filler"));
        return all;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
