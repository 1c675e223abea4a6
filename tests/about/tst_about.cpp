#include "about/about.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void versionLine_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("line");
        QTest::newRow("this release") << 1 << 0 << 21 << "Songbinder 1.0.21";
        QTest::newRow("revision 0") << 2 << 1 << 0 << "Songbinder 2.1.0";
        QTest::newRow("all zero") << 0 << 0 << 0 << "Songbinder 0.0.0";
        QTest::newRow("several digits") << 10 << 200 << 3000 << "Songbinder 10.200.3000";
    }
    void versionLine() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, line);
        QCOMPARE(aboutVersionLine(major, minor, revision), line);
    }

    void layoutFollowsTheDesign() {
        About about;
        QCOMPARE(about.objectName(), QStringLiteral("About"));
        QCOMPARE(about.size(), QSize(214, 162));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.Label1->text(), QStringLiteral("Songbinder 1.0.21"));
        QCOMPARE(about.lblAbout->text(), QStringLiteral("Author:"));
        QCOMPARE(about.lblAbout2->text(), QStringLiteral("The Songbinder developers"));
        QCOMPARE(about.cmdClose->text(), QStringLiteral("OK"));
        QVERIFY(about.Label1->font().bold());
        QCOMPARE(about.Label1->font().pointSizeF(), 12.0);
        QCOMPARE(about.lblAbout2->font().pointSizeF(), 9.6);

        const std::pair<QWidget*, QRect> geometry[] = {
            {about.Shape1, QRect(2, 2, 209, 158)},    {about.Label1, QRect(8, 10, 195, 25)},
            {about.lblAbout, QRect(4, 42, 205, 17)},  {about.lblAbout2, QRect(10, 62, 195, 33)},
            {about.cmdClose, QRect(76, 112, 57, 25)},
        };
        for (const auto& [widget, rect] : geometry) {
            QCOMPARE(widget->geometry(), rect);
            QCOMPARE(about.findChild<QWidget*>(widget->objectName()), widget);
        }
        for (QLabel* label : {about.Label1, about.lblAbout, about.lblAbout2})
            QVERIFY(label->alignment() & Qt::AlignHCenter);
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
                auto* about = qobject_cast<About*>(QApplication::activeModalWidget());
                QVERIFY(about != nullptr);
                QCOMPARE(about->windowModality(), Qt::ApplicationModal);
                QCOMPARE(about->Label1->text(), QStringLiteral("Songbinder 1.0.21"));
                QVERIFY(qAbs(about->frameGeometry().center().x() - screen.center().x()) <= 1);
                QVERIFY(qAbs(about->frameGeometry().center().y() - screen.center().y()) <= 1);
                checked = true;
                about->cmdClose->click();
            });
            showAboutWindow(&mainWindow);
            QVERIFY(checked);
            QVERIFY(mainWindow.findChildren<About*>().isEmpty());
        }
    }

    void iconIsBuiltIn() {
        QCOMPARE(QImage(QStringLiteral(":/songbinder/songbinder.png")).size(), QSize(32, 32));
        QVERIFY(QFile::exists(QStringLiteral(":/songbinder/songbinder.svg")));
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
