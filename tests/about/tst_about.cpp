#include "about/about.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

class TestAbout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationVersion(u"1.0.21"_s); }

    void versionLine_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("line");
        QTest::newRow("this release") << u"1.0.21"_s << u"Songbinder 1.0.21"_s;
        QTest::newRow("revision 0") << u"2.1.0"_s << u"Songbinder 2.1.0"_s;
    }
    void versionLine() {
        QFETCH(QString, version);
        QFETCH(QString, line);
        QCOMPARE(aboutVersionLine(version), line);
    }

    // The version comes from the application, set once at start-up.
    void showsTheApplicationsVersionInAFixedCard() {
        AboutWindow about;
        const auto* version = about.findChild<QLabel*>(u"versionLabel"_s);
        QCOMPARE(version->text(), u"Songbinder 1.0.21"_s);
        QVERIFY(version->font().bold());
        QCOMPARE(version->font().pointSizeF(), 12.0);
        QCOMPARE(about.findChild<QLabel*>(u"authorLabel"_s)->font().pointSizeF(), 9.6);
        for (const QLabel* label : about.findChildren<QLabel*>())
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        QCOMPARE(about.minimumSize(), about.maximumSize());
        // Every control lies inside the window.
        for (const QWidget* child : about.findChildren<QWidget*>())
            QVERIFY2(about.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    // Opened twice, closed with OK each time: modal, centred, rebuilt.
    void opensModalCentredAndClosesWithOk() {
        QWidget mainWindow;
        mainWindow.setGeometry(10, 10, 300, 200);
        mainWindow.show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (int opening = 0; opening < 2; ++opening) {
            bool checked = false;
            whileModal([&] {
                auto* about = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
                QVERIFY(about != nullptr);
                QCOMPARE(about->windowModality(), Qt::ApplicationModal);
                QVERIFY(qAbs(about->frameGeometry().center().x() - screen.center().x()) <= 1);
                QVERIFY(qAbs(about->frameGeometry().center().y() - screen.center().y()) <= 1);
                checked = true;
                about->findChild<QPushButton*>(u"okButton"_s)->click();
            });
            showAboutWindow(&mainWindow);
            QVERIFY(checked);
            QVERIFY(mainWindow.findChildren<AboutWindow*>().isEmpty());
        }
    }

    void iconIsBuiltIn() {
        QCOMPARE(QImage(u":/songbinder/songbinder.png"_s).size(), QSize(32, 32));
        QVERIFY(QFile::exists(u":/songbinder/songbinder.svg"_s));
    }

private:
    // Runs `check` once the modal window opened next is showing; if it never
    // closes the window, the test's timeout ends the run.
    static void whileModal(std::function<void()> check) {
        QTimer::singleShot(0, [check] {
            if (QApplication::activeModalWidget() == nullptr) {
                whileModal(check);
                return;
            }
            check();
            if (QWidget* still = QApplication::activeModalWidget())
                still->close();
        });
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
