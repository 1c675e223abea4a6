#include "platform/native_file_system.h"
#include "platform/safe_write.h"
#include "playlist_fixture.h"
#include "small_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kOtherGroup = 4321; // a group "nobody" is not in

QString reason(int error) {
    return QString::fromStdString(systemErrorText(error));
}

std::string native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(native(path).c_str(), &st);
    return st;
}

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

int write(const QString& path, const QByteArray& bytes) {
    return writeFileSafely(native(path), std::string_view(bytes.constData(), bytes.size())).error;
}

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    // Whoever saves, the file keeps who may use it, its other names and its
    // place; no temporary or backup file is left behind.
    void keepsWhoMayUseTheFile_data() {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<uint>("folderMode");
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<bool>("asNobody");
        QTest::newRow("root saves a user's 0664 file")
            << 1000u << 1000u << 0664u << 0755u << false << false;
        QTest::newRow("root: group-owned 0640")
            << 0u << kOtherGroup << 0640u << 0755u << false << false;
        QTest::newRow("root: setgid 02664")
            << 1000u << kOtherGroup << 02664u << 0755u << false << false;
        QTest::newRow("root: 0600") << 1000u << 1000u << 0600u << 0755u << false << false;
        QTest::newRow("root: two hard links") << 1000u << 1000u << 0644u << 0755u << true << false;
        QTest::newRow("user: group-writable file of another owner")
            << 0u << kNobody << 0664u << 0777u << false << true;
        QTest::newRow("user: another's setgid file of the user's group")
            << 0u << kNobody << 02666u << 0777u << false << true;
        QTest::newRow("user: own file in a read-only folder")
            << kNobody << kNobody << 0644u << 0555u << false << true;
        QTest::newRow("user: another's file in sticky /tmp-like folder")
            << 0u << kNobody << 0666u << 01777u << false << true;
        QTest::newRow("user: own file with a second name")
            << kNobody << kNobody << 0640u << 0777u << true << true;
    }
    void keepsWhoMayUseTheFile() {
        QFETCH(uint, owner);
        QFETCH(uint, group);
        QFETCH(uint, mode);
        QFETCH(uint, folderMode);
        QFETCH(bool, hardLink);
        QFETCH(bool, asNobody);
        if (::geteuid() != 0)
            QSKIP("needs root to set owners and to act as another user");
        QTemporaryDir top;
        QVERIFY(QFile::setPermissions(top.path(), QFileDevice::Permissions(0x7755)));
        const QString folder = top.filePath(u"lists"_s);
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + u"/p.m3u"_s;
        put(path, "/old/a.mp3\r\n/old/b.mp3\r\n");
        QCOMPARE(::chown(native(path).c_str(), owner, group), 0);
        QCOMPARE(::chmod(native(path).c_str(), mode), 0);
        if (hardLink)
            QCOMPARE(::link(native(path).c_str(), native(folder + u"/other.m3u"_s).c_str()), 0);
        QCOMPARE(::chmod(native(folder).c_str(), folderMode), 0);
        const QStringList namesBefore = namesIn(folder);
        const struct stat before = statOf(path);

        const QByteArray bytes = QByteArray("/new/c.mp3\r\n").repeated(500);
        int error = -1;
        {
            std::optional<AsUnprivilegedUser> user;
            if (asNobody)
                user.emplace();
            if (asNobody && ::geteuid() != kNobody)
                QSKIP("cannot act as nobody");
            error = write(path, bytes);
        }
        ::chmod(native(folder).c_str(), 0755);
        QCOMPARE(reason(error), reason(0));
        QCOMPARE(readAll(path), bytes);
        const struct stat after = statOf(path);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_nlink, before.st_nlink);
        if (hardLink)
            QCOMPARE(readAll(folder + u"/other.m3u"_s), bytes);
        QCOMPARE(namesIn(folder), namesBefore);
    }

    void keepsExtendedAttributes() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"p.m3u"_s);
        put(path, "old\n");
        if (::setxattr(native(path).c_str(), "user.songbinder", "kept", 4, 0) != 0)
            QSKIP("this file system keeps no user attributes");
        QCOMPARE(write(path, "new\n"), 0);
        char value[16] = {};
        QCOMPARE(::getxattr(native(path).c_str(), "user.songbinder", value, sizeof value), 4);
        QCOMPARE(QByteArray(value), "kept");
    }

    // Links stay links; the file they name is written, also one that is not
    // there yet. A name as long as the system allows leaves room for the
    // temporary file.
    void writesWhereTheNameLeads_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("existing");
        QTest::newRow("through a link") << u"real.m3u"_s << true << true;
        QTest::newRow("through a dangling link") << u"later.m3u"_s << true << false;
        QTest::newRow("a 255-byte name") << QString(251, u'n') + u".m3u"_s << false << true;
        QTest::newRow("a new 255-byte name") << QString(251, u'n') + u".m3u"_s << false << false;
    }
    void writesWhereTheNameLeads() {
        QFETCH(QString, target);
        QFETCH(bool, linked);
        QFETCH(bool, existing);
        QTemporaryDir folder;
        const QString targetPath = folder.filePath(target);
        if (existing)
            put(targetPath, "old\n");
        QString path = targetPath;
        if (linked) {
            path = folder.filePath(u"link.m3u"_s);
            QVERIFY(QFile::link(target, path));
        }
        QCOMPARE(reason(write(path, "new\n")), reason(0));
        QCOMPARE(readAll(targetPath), "new\n");
        QCOMPARE(S_ISLNK(statOf(path).st_mode), linked);
        QCOMPARE(namesIn(folder.path()).size(), linked ? 2 : 1);
    }

    // What cannot be written is refused with the system's reason, the file
    // as it was.
    void refusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<int>("error");
        QTest::newRow("read-only file, whoever saves") << u"p.m3u"_s << 0444u << EACCES;
        QTest::newRow("a folder") << u"folder"_s << 0755u << EISDIR;
        QTest::newRow("missing folder") << u"missing/p.m3u"_s << 0u << ENOENT;
    }
    void refusals() {
        QFETCH(QString, name);
        QFETCH(uint, mode);
        QFETCH(int, error);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        if (name == u"folder"_s)
            QVERIFY(QDir().mkdir(path));
        else if (mode != 0)
            put(path, "old\n");
        if (mode != 0)
            QCOMPARE(::chmod(native(path).c_str(), mode), 0);
        const QStringList namesBefore = namesIn(folder.path());
        QCOMPARE(reason(write(path, "new\n")), reason(error));
        if (mode != 0 && name != u"folder"_s)
            QCOMPARE(readAll(path), "old\n");
        QCOMPARE(namesIn(folder.path()), namesBefore);
    }

    // A full disk is found before the old content is touched, whichever
    // way the file is written, and is called by its name; content that fits
    // in place is still written.
    void fullDisk_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<bool>("written");
        QTest::newRow("under 16 KB, none free") << QByteArray("old\n") << 1000 << false << false;
        QTest::newRow("larger than the free space")
            << QByteArray("old\n") << 200000 << false << false;
        QTest::newRow("in place, larger") << QByteArray(5000, 'o') << 9000 << true << false;
        QTest::newRow("in place, smaller") << QByteArray(5000, 'o') << 3000 << true << true;
        QTest::newRow("a new file") << QByteArray() << 1000 << false << false;
    }
    void fullDisk() {
        QFETCH(QByteArray, old);
        QFETCH(int, newSize);
        QFETCH(bool, hardLink);
        QFETCH(bool, written);
        SmallDisk disk;
        if (!disk.isMounted())
            QSKIP("cannot mount a small tmpfs (needs root)");
        const QString path = disk.filePath(u"p.m3u"_s);
        if (!old.isEmpty())
            put(path, old);
        if (hardLink)
            QCOMPARE(::link(native(path).c_str(), native(disk.filePath(u"b.m3u"_s)).c_str()), 0);
        disk.fill();
        const QStringList namesBefore = disk.names();

        const QByteArray bytes(newSize, 'n');
        QString reason;
        NativeFileSystem fs;
        QCOMPARE(fs.writeFileAtomic(path, bytes, &reason), written);
        QCOMPARE(reason, written ? QString() : u"No space left on device"_s);
        QCOMPARE(readAll(path), written ? bytes : old.isEmpty() ? "(missing)" : old);
        QCOMPARE(disk.names(), namesBefore);
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safe_write.moc"
