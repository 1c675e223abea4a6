// The real message boxes and file dialogs, answered through their widgets:
// Escape, Enter, the filter, and a save dialog that neither asks about an
// existing file nor adds a suffix of its own.
#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

const QString kFilter = u"Playlists (*.m3u)|*.m3u|Lists|*.m3u;*.pls"_s;

// Runs `act` on the modal window once it is open, while the dialog's own
// event loop runs, and keeps the names of every modal window seen.
class WhenModal : public QObject {
public:
    explicit WhenModal(std::function<void(QWidget*)> act)
        : m_act(std::move(act)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen.contains(QLatin1String(modal->metaObject()->className())))
                return;
            seen.append(QString::fromLatin1(modal->metaObject()->className()));
            if (seen.size() == 1)
                m_act(modal);
            else // a window nobody expected: closed, so the test ends and fails
                QTest::keyClick(modal, Qt::Key_Escape);
        });
        m_timer.start();
    }

    QStringList seen;

private:
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
};

void write(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QVERIFY(!QApplication::activeModalWidget()); }
    void messageBoxKeys_data();
    void messageBoxKeys();
    void messageBoxShowsTitleTextAndIcon();
    void fileDialogOffersTheFilter();
    void escapeCancelsAFileDialog_data();
    void escapeCancelsAFileDialog();
    void saveDialogNeitherAsksNorAddsASuffix_data();
    void saveDialogNeitherAsksNorAddsASuffix();
};

void TestQtDialogs::messageBoxKeys_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<MessageAnswer>("defaultButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("OK: Escape") << MessageButtons::Ok << MessageAnswer::Ok << int(Qt::Key_Escape)
                                << MessageAnswer::Ok;
    QTest::newRow("Yes/No: Escape is No")
        << MessageButtons::YesNo << MessageAnswer::Yes << int(Qt::Key_Escape) << MessageAnswer::No;
    QTest::newRow("Yes/No: Enter is the default")
        << MessageButtons::YesNo << MessageAnswer::Yes << int(Qt::Key_Return) << MessageAnswer::Yes;
    QTest::newRow("Yes/No/Cancel: Escape is Cancel")
        << MessageButtons::YesNoCancel << MessageAnswer::Yes << int(Qt::Key_Escape)
        << MessageAnswer::Cancel;
    QTest::newRow("Yes/No/Cancel: Enter on a default of No")
        << MessageButtons::YesNoCancel << MessageAnswer::No << int(Qt::Key_Return)
        << MessageAnswer::No;
}

void TestQtDialogs::messageBoxKeys() {
    QFETCH(MessageButtons, buttons);
    QFETCH(MessageAnswer, defaultButton);
    QFETCH(int, key);
    QFETCH(MessageAnswer, answer);
    QtDialogs dialogs(nullptr);
    WhenModal press([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); });
    QCOMPARE(dialogs.message({u"Save?"_s, MessageIcon::None, buttons, defaultButton, {}}), answer);
    QCOMPARE(press.seen, QStringList{u"QMessageBox"_s});
}

void TestQtDialogs::messageBoxShowsTitleTextAndIcon() {
    QtDialogs dialogs(nullptr);
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal look([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Return);
    });
    dialogs.warn(u"<b>Not</b> all files are in that path"_s);
    QCOMPARE(title, u"Songbinder"_s);
    QCOMPARE(text, u"<b>Not</b> all files are in that path"_s);
    QCOMPARE(icon, QMessageBox::Warning);
}

void TestQtDialogs::fileDialogOffersTheFilter() {
    QTemporaryDir dir;
    QtDialogs dialogs(nullptr);
    QStringList filters;
    QString selected;
    QString folder;
    WhenModal look([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        folder = dialog->directory().path();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    dialogs.openFile({u"Open Playlist"_s, kFilter, dir.path(), {}});
    // The conversion itself is tested with the filters; here: the dialog
    // holds what it gave, the first one chosen.
    QCOMPARE(filters, QtDialogs::nameFilters(kFilter));
    QCOMPARE(filters.size(), 2);
    QVERIFY2(filters.first().startsWith(selected), qPrintable(selected));
    QCOMPARE(folder, dir.path());
}

void TestQtDialogs::escapeCancelsAFileDialog_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void TestQtDialogs::escapeCancelsAFileDialog() {
    QFETCH(bool, save);
    QTemporaryDir dir;
    write(dir.filePath(u"a.m3u"_s));
    QtDialogs dialogs(nullptr);
    WhenModal escape([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    const FileDialogRequest request{u"Title"_s, kFilter, dir.path(), dir.filePath(u"a.m3u"_s)};
    QCOMPARE(save ? dialogs.saveFile(request) : dialogs.openFile(request), std::nullopt);
    QCOMPARE(escape.seen, QStringList{u"QFileDialog"_s});
}

void TestQtDialogs::saveDialogNeitherAsksNorAddsASuffix_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("an existing file: no question") << u"old.m3u"_s;
    QTest::newRow("a name without a suffix keeps it") << u"mix"_s;
}

void TestQtDialogs::saveDialogNeitherAsksNorAddsASuffix() {
    QFETCH(QString, typed);
    QTemporaryDir dir;
    write(dir.filePath(u"old.m3u"_s));
    QtDialogs dialogs(nullptr);
    WhenModal type([&typed](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        QVERIFY(name);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> chosen =
        dialogs.saveFile({u"Save Playlist As"_s, kFilter, dir.path(), {}});
    QCOMPARE(chosen, std::optional<QString>(dir.filePath(typed)));
    // Only the dialog itself was shown: no box asked about the old file.
    QCOMPARE(type.seen, QStringList{u"QFileDialog"_s});
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
