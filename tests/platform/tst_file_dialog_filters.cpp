// The real file dialogs' filters: the texts the user knows, the files they
// list on this system.
#include "platform/qt_dialogs.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kFilter = u"Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*"_s;

QStringList listedNames(const QFileDialog& dialog) {
    const auto* view = dialog.findChild<QListView*>(u"listView"_s);
    QStringList names;
    if (!view)
        return names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
    names.sort();
    return names;
}

} // namespace

class TestFileDialogFilters : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameFilters_data();
    void nameFilters();
    void filtersListWhatTheySay_data();
    void filtersListWhatTheySay();
};

void TestFileDialogFilters::nameFilters_data() {
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qtFilters");

    QTest::newRow("every file on Linux")
        << false << kFilter
        << QStringList{u"Playlists (*.m3u *.m3u8) (*.m3u *.m3u8)"_s, u"All Files (*.*) (*)"_s};
    QTest::newRow("*.* is every file on Windows")
        << true << kFilter
        << QStringList{u"Playlists (*.m3u *.m3u8) (*.m3u *.m3u8)"_s, u"All Files (*.*) (*.*)"_s};
    QTest::newRow("a description without its patterns gets them")
        << false << u"Lists|*.m3u;*.pls"_s << QStringList{u"Lists (*.m3u *.pls) (*.m3u *.pls)"_s};
}

void TestFileDialogFilters::nameFilters() {
    QFETCH(bool, windows);
    QFETCH(QString, filter);
    QFETCH(QStringList, qtFilters);
    QCOMPARE(QtDialogs::nameFilters(filter, windows ? PathRules::windows() : PathRules::posix()),
             qtFilters);
}

void TestFileDialogFilters::filtersListWhatTheySay_data() {
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("playlists") << 0 << QStringList{u"a.m3u"_s, u"b.m3u8"_s};
    QTest::newRow("all files, names without a dot too")
        << 1 << QStringList{u"a.m3u"_s, u"b.m3u8"_s, u"notes.txt"_s, u"party"_s};
}

// A playlist saved as "party" must show in the Open dialog; the user sees
// the filter texts as written.
void TestFileDialogFilters::filtersListWhatTheySay() {
    QFETCH(int, filter);
    QFETCH(QStringList, names);
    QTemporaryDir dir;
    for (const QString& name : {u"a.m3u"_s, u"b.m3u8"_s, u"notes.txt"_s, u"party"_s}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    QtDialogs::prepareFileDialog(dialog, {u"Open..."_s, kFilter, dir.path(), QString()}, false);
    const auto* types = dialog.findChild<QComboBox*>(u"fileTypeCombo"_s);
    QVERIFY(types);
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->itemText(0), u"Playlists (*.m3u *.m3u8)"_s);
    QCOMPARE(types->itemText(1), u"All Files (*.*)"_s);

    dialog.selectNameFilter(dialog.nameFilters().at(filter));
    dialog.show();
    QTRY_COMPARE(listedNames(dialog), names);
}

QTEST_MAIN(TestFileDialogFilters)
#include "tst_file_dialog_filters.moc"
