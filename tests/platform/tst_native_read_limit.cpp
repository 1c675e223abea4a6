// Whole-file reads stop at 256 MB, so a huge file opened as a playlist by
// mistake cannot exhaust memory. Sparse files make the sizes cheap.
#include "platform/native_file_system.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kLimit = 256 * 1024 * 1024;

// A file of `size` bytes that takes no room on the disk: zeros, and "#" at
// its very start so that what is read can be told from nothing.
bool makeSparseFile(const QString& path, qint64 size) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool made = ::write(fd, "#", 1) == 1 && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    return ::close(fd) == 0 && made;
}

} // namespace

class TestNativeReadLimit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wholeFileReadStopsAtTheLimit_data();
    void wholeFileReadStopsAtTheLimit();
};

void TestNativeReadLimit::wholeFileReadStopsAtTheLimit_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("error"); // empty: read whole
    QTest::newRow("exactly the limit") << kLimit << QString();
    QTest::newRow("one byte over") << kLimit + 1 << u"The file is too large (256 MB)."_s;
    QTest::newRow("far over") << qint64(5) * 1024 * 1024 * 1024
                              << u"The file is too large (5120 MB)."_s;
}

void TestNativeReadLimit::wholeFileReadStopsAtTheLimit() {
    QFETCH(qint64, size);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"huge.m3u"_s);
    if (!makeSparseFile(path, size))
        QSKIP("this file system makes no sparse files of that size");
    NativeFileSystem fs;
    QString reason;
    const std::optional<QByteArray> bytes = fs.readFile(path, &reason);
    QCOMPARE(reason, error);
    QCOMPARE(bytes.has_value(), error.isEmpty());
    if (bytes) {
        QCOMPARE(bytes->size(), size);
        QCOMPARE(bytes->front(), '#');
    }
    // A read in pieces (a playlist's load) stops at the same limit.
    qint64 pieces = 0;
    reason.clear();
    const bool read = fs.readFilePieces(
        path, 1 << 24,
        [&](QByteArrayView piece) {
            pieces += piece.size();
            return true;
        },
        &reason);
    QCOMPARE(reason, error);
    QCOMPARE(read, error.isEmpty());
    QCOMPARE(pieces, error.isEmpty() ? size : 0);
    // The end of a file of any size is still there for the tag reader.
    QCOMPARE(fs.readFileTail(path, 3), std::optional<QByteArray>(QByteArray(3, '\0')));
}

QTEST_GUILESS_MAIN(TestNativeReadLimit)
#include "tst_native_read_limit.moc"
