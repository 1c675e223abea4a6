// `songbinder --help` and `--version`, and every other command line still
// naming a playlist.
#include "playlist_file/command_line.h"
#include "playlist_file/information_request.h"
#include "songbinder_version.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInformationRequest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheWordAloneIsASwitch_data();
    void onlyTheWordAloneIsASwitch();
    void programAnswersWithoutADisplay_data();
    void programAnswersWithoutADisplay();
};

void TestInformationRequest::onlyTheWordAloneIsASwitch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("candidate");
    QTest::newRow("-h is a name") << QStringList{u"-h"_s} << u"-h"_s;
    QTest::newRow("quoted by the caller") << QStringList{u"\"--help\""_s} << u"--help"_s;
    QTest::newRow("among others, joined")
        << QStringList{u"--help"_s, u"My"_s, u"List.m3u"_s} << u"--help My List.m3u"_s;
}

void TestInformationRequest::onlyTheWordAloneIsASwitch() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, candidate);
    // The switches alone are run end to end below.
    QCOMPARE(informationRequested(arguments), InformationRequest::None);
    QCOMPARE(commandLineCandidate(arguments), candidate);
}

void TestInformationRequest::programAnswersWithoutADisplay_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    const QString version = u"Songbinder "_s + QLatin1String(songbinder::kVersion) + u"\n"_s;
    QTest::newRow("--version") << u"--version"_s << u"C"_s << QStringList{version};
    QTest::newRow("--help") << u"--help"_s << u"C"_s
                            << QStringList{u"Usage: "_s, u"[PLAYLIST.m3u]"_s, u"--version"_s,
                                           u"Shows this help and exits."_s};
    QTest::newRow("--help, German")
        << u"--help"_s << u"de_DE.UTF-8"_s
        << QStringList{u"[WIEDERGABELISTE.m3u]"_s, u"Zeigt die Version an"_s};
}

void TestInformationRequest::programAnswersWithoutADisplay() {
    QFETCH(QString, argument);
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QLatin1String(name));
    environment.insert(u"LANG"_s, language);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SONGBINDER_PROGRAM), {argument});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    if (expected.size() == 1)
        QCOMPARE(printed, expected.first());
    for (const QString& part : expected)
        QVERIFY2(printed.contains(part), qPrintable(printed));
}

QTEST_GUILESS_MAIN(TestInformationRequest)
#include "tst_information_request.moc"
