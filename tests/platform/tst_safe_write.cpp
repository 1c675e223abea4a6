#include "platform/native_file_system.h"
#include "platform/safe_write.h"
#include "playlist_fixture.h"
#include "small_disk.h"

#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kOtherGroup = 4321; // a group "nobody" is not in

std::string native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::lstat(native(path).c_str(), &st);
    return st;
}

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// The system's words for what writing `bytes` to `path` ended with.
QString written(const QString& path, const QByteArray& bytes) {
    return QString::fromStdString(systemErrorText(
        writeFileSafely(native(path), std::string_view(bytes.constData(), bytes.size())).error));
}

const QString kSuccess = QString::fromStdString(systemErrorText(0));

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    // Whoever saves, the file keeps who may use it, its attributes, its other
    // names and its place; no temporary or backup file is left behind.
    void keepsWhoMayUseTheFile_data() {
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<uint>("mode");
        QTest::addColumn<uint>("folderMode");
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<bool>("asNobody");
        const uint nobody = kNobody, other = kOtherGroup;
        // clang-format off
        QTest::newRow("root: group-owned 0640")         << 0u     << other  << 0640u  << 0755u  << false << false;
        QTest::newRow("root: another's setgid 02664")   << 1000u  << other  << 02664u << 0755u  << false << false;
        QTest::newRow("root: two hard links")           << 1000u  << 1000u  << 0644u  << 0755u  << true  << false;
        QTest::newRow("user: another's setgid")         << 0u     << nobody << 02666u << 0777u  << false << true;
        QTest::newRow("user: own, read-only folder")    << nobody << nobody << 0644u  << 0555u  << false << true;
        QTest::newRow("user: another's, sticky folder") << 0u     << nobody << 0666u  << 01777u << false << true;
        QTest::newRow("user: own, second name")         << nobody << nobody << 0640u  << 0777u  << true  << true;
        // clang-format on
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
        const QString path = folder + u"/p.m3u"_s;
        QVERIFY(QDir().mkdir(folder));
        put(path, "/old/a.mp3\r\n/old/b.mp3\r\n");
        const bool attributes = ::setxattr(native(path).c_str(), "user.k", "kept", 4, 0) == 0;
        QCOMPARE(::chown(native(path).c_str(), owner, group), 0);
        QCOMPARE(::chmod(native(path).c_str(), mode), 0);
        if (hardLink)
            QCOMPARE(::link(native(path).c_str(), native(folder + u"/other.m3u"_s).c_str()), 0);
        QCOMPARE(::chmod(native(folder).c_str(), folderMode), 0);
        const QStringList namesBefore = namesIn(folder);
        const struct stat before = statOf(path);

        const QByteArray bytes = QByteArray("/new/c.mp3\r\n").repeated(500);
        QString result;
        {
            std::optional<AsUnprivilegedUser> user;
            if (asNobody && (user.emplace(), ::geteuid() != kNobody))
                QSKIP("cannot act as nobody");
            result = written(path, bytes);
        }
        ::chmod(native(folder).c_str(), 0755);
        QCOMPARE(result, kSuccess);
        QCOMPARE(readAll(path), bytes);
        const struct stat after = statOf(path);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        if (hardLink)
            QCOMPARE(readAll(folder + u"/other.m3u"_s), bytes);
        QCOMPARE(namesIn(folder), namesBefore);
        char value[8] = {};
        if (attributes)
            QCOMPARE(::getxattr(native(path).c_str(), "user.k", value, sizeof value), 4);
    }

    // Links stay links and the file they name is written, also one not
    // there yet; a name as long as the system allows leaves room for the
    // temporary file. What cannot be written is refused with the system's
    // reason, the file as it was.
    void writesWhereTheNameLeads_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("mode"); // of the target; -1: none there
        QTest::addColumn<bool>("linked");
        QTest::addColumn<int>("error");
        const QString longName = QString(251, u'n') + u".m3u"_s;
        QTest::newRow("through a link") << u"real.m3u"_s << 0644 << true << 0;
        QTest::newRow("through a dangling link") << u"later.m3u"_s << -1 << true << 0;
        QTest::newRow("a 255-byte name") << longName << 0644 << false << 0;
        QTest::newRow("read-only, whoever saves") << u"p.m3u"_s << 0444 << false << EACCES;
        QTest::newRow("read-only, through a link") << u"p.m3u"_s << 0444 << true << EACCES;
        QTest::newRow("missing folder") << u"missing/p.m3u"_s << -1 << false << ENOENT;
    }
    void writesWhereTheNameLeads() {
        QFETCH(QString, target);
        QFETCH(int, mode);
        QFETCH(bool, linked);
        QFETCH(int, error);
        QTemporaryDir folder;
        const QString targetPath = folder.filePath(target);
        if (mode >= 0) {
            put(targetPath, "old\n");
            QCOMPARE(::chmod(native(targetPath).c_str(), mode_t(mode)), 0);
        }
        const QString path = linked ? folder.filePath(u"link.m3u"_s) : targetPath;
        if (linked)
            QVERIFY(QFile::link(target, path));
        const QStringList namesBefore = namesIn(folder.path());
        QCOMPARE(written(path, "new\n"), QString::fromStdString(systemErrorText(error)));
        QCOMPARE(readAll(targetPath), error ? (mode >= 0 ? "old\n" : "(missing)") : "new\n");
        QCOMPARE(S_ISLNK(statOf(path).st_mode), linked);
        QCOMPARE(namesIn(folder.path()).size(), namesBefore.size() + (error || mode >= 0 ? 0 : 1));
    }

    // A full disk is found before the old content is touched, whichever way
    // the file is written, and called by its name; what fits in place is
    // still written.
    void fullDisk_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<bool>("hardLink");
        QTest::addColumn<bool>("fits");
        QTest::newRow("under 16 KB, none free") << QByteArray("old\n") << 1000 << false << false;
        QTest::newRow("in place, larger") << QByteArray(5000, 'o') << 9000 << true << false;
        QTest::newRow("in place, smaller") << QByteArray(5000, 'o') << 3000 << true << true;
        QTest::newRow("a new file") << QByteArray() << 1000 << false << false;
    }
    void fullDisk() {
        QFETCH(QByteArray, old);
        QFETCH(int, newSize);
        QFETCH(bool, hardLink);
        QFETCH(bool, fits);
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
        QCOMPARE(fs.writeFileAtomic(path, bytes, &reason), fits);
        QCOMPARE(reason, fits ? QString() : u"No space left on device"_s);
        QCOMPARE(readAll(path), fits ? bytes : old.isEmpty() ? "(missing)" : old);
        QCOMPARE(disk.names(), namesBefore);
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safe_write.moc"
