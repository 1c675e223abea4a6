#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

// A small tmpfs of its own for the life of the object, for a test to fill
// up. Mounting needs root; a test that gets none skips.
class SmallDisk {
public:
    SmallDisk() {
        m_mounted = ::mount("songbinder-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                            0, "size=128k,mode=0777") == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes every free byte.
    void fill() const {
        QFile filler(filePath(QStringLiteral(".filler")));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(512, 'x')) > 0) {
            }
    }
    // The names in its top folder, the filler left out.
    QStringList names() const {
        QStringList all =
            QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        all.removeAll(QStringLiteral(".filler"));
        return all;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
