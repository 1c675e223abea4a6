#include "id3_trailer.h"
#include "platform/native_file_system.h"
#include "tags/id3_tag.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs as an unprivileged user while it lives, when the test runs as root:
// root reads any file, whatever its permissions say.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser() {
        if (::geteuid() == 0)
            m_switched = ::seteuid(kNobody) == 0;
    }
    ~AsUnprivilegedUser() {
        if (m_switched && ::seteuid(0) != 0)
            qFatal("could not return to root");
    }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;
    bool ok() const { return m_switched || ::geteuid() != 0; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_switched = false;
};

} // namespace

// What only a real disk shows: sizes, folders, permissions, special files.
class TestId3Native : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsOnlyTheTail();
    void noTag_data();
    void noTag();
    void unreadableFile();

private:
    QString write(const QString& name, const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    NativeFileSystem m_fs;
};

void TestId3Native::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Reachable for the unprivileged user of unreadableFile().
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
}

QString TestId3Native::write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

void TestId3Native::readsOnlyTheTail() {
    TrailerFields f;
    f.title = "Big";
    f.genre = 255;
    // A first trailer deep inside the file must not be what is read.
    TrailerFields inner;
    inner.title = "Inner";
    const QString path =
        write(QStringLiteral("big.mp3"),
              makeTrailer(inner) + QByteArray(1 << 20, '\x55') + withTrack(makeTrailer(f), 4));
    const std::optional<Id3Tag> tag = readId3Tag(m_fs, path);
    QVERIFY(tag);
    QCOMPARE(tag->title, QStringLiteral("Big"));
    QCOMPARE(int(tag->track), 4);
    QCOMPARE(int(tag->genre), 255);

    const QString exact = write(QStringLiteral("exact.mp3"), makeTrailer(f));
    const std::optional<Id3Tag> whole = readId3Tag(m_fs, exact);
    QVERIFY(whole);
    QCOMPARE(whole->title, QStringLiteral("Big"));
    QCOMPARE(int(whole->track), 0);
}

void TestId3Native::noTag_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("short file") << QStringLiteral("short");
    QTest::newRow("empty file") << QStringLiteral("empty");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("hidden file") << QStringLiteral("hidden");
    QTest::newRow("missing file") << QStringLiteral("missing");
    QTest::newRow("below a file") << QStringLiteral("belowFile");
    // Opening a pipe would wait for a writer for ever.
    QTest::newRow("named pipe") << QStringLiteral("pipe");
    // On Linux '?' is a character of the name: Track1.mp3's tag is not its.
    QTest::newRow("name with a wildcard") << QStringLiteral("wildcard");
}

void TestId3Native::noTag() {
    QFETCH(QString, kind);
    TrailerFields f;
    f.title = "Song";
    const QByteArray trailer = makeTrailer(f);
    QString path;
    if (kind == QLatin1String("short")) {
        path = write(QStringLiteral("short.mp3"), trailer.sliced(28));
    } else if (kind == QLatin1String("empty")) {
        path = write(QStringLiteral("empty.mp3"), {});
    } else if (kind == QLatin1String("folder")) {
        path = m_dir->filePath(QStringLiteral("folder.mp3"));
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("hidden")) {
        path = write(QStringLiteral(".hidden.mp3"), trailer);
    } else if (kind == QLatin1String("missing")) {
        path = m_dir->filePath(QStringLiteral("missing.mp3"));
    } else if (kind == QLatin1String("belowFile")) {
        path = write(QStringLiteral("a.mp3"), trailer) + QStringLiteral("/b.mp3");
    } else if (kind == QLatin1String("wildcard")) {
        write(QStringLiteral("Track1.mp3"), trailer);
        path = m_dir->filePath(QStringLiteral("Track?.mp3"));
    } else if (kind == QLatin1String("pipe")) {
        path = m_dir->filePath(QStringLiteral("pipe.mp3"));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    }
    QVERIFY(!readId3Tag(m_fs, path));
}

void TestId3Native::unreadableFile() {
    TrailerFields f;
    f.title = "Song";
    const QString path = write(QStringLiteral("locked.mp3"), makeTrailer(f));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    bool read = true;
    bool found = false;
    {
        const AsUnprivilegedUser user;
        QVERIFY(user.ok());
        // The file is found, so it is the read that fails.
        const auto search = m_fs.search(path, SearchMask::Normal);
        found = search && search->next().has_value();
        read = readId3Tag(m_fs, path).has_value();
    }
    QVERIFY(found);
    QVERIFY(!read);
}

QTEST_APPLESS_MAIN(TestId3Native)
#include "tst_id3_native.moc"
