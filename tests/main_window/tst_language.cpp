// The window in the system's language: run by CTest once with LANG=C, where
// every text is the program's English original, and once with
// LANG=de_DE.UTF-8 (EXPECTED_LANGUAGE=de), where it speaks German.
#include "main_window_fixture.h"
#include "platform/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>

using namespace Qt::StringLiterals;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void startUpTexts();
};

void TestLanguage::startUpTexts() {
    const bool german = qEnvironmentVariable("EXPECTED_LANGUAGE") == "de"_L1;
    installTranslations(*qApp, QLocale());
    window_test::Window w;
    w.open();
    const char* const texts[][3] = {
        {"fileMenu", "File", "Datei"},
        {"recentMenu", "Open Recent", "Zuletzt geöffnet"},
        {"saveAsAction", "Save As...", "Speichern unter..."},
        {"addSelectedFilesButton", "Add Selected Files To Playist",
         "Ausgewählte Dateien zur Liste hinzufügen"},
        {"playlistTitleLabel", "Current Playlist (C:\\Music\\untitled.m3u)",
         "Aktuelle Wiedergabeliste (C:\\Music\\untitled.m3u)"},
    };
    for (const auto& text : texts) {
        QObject* object = w.window->findChild<QObject*>(QLatin1String(text[0]));
        QVERIFY2(object, text[0]);
        const char* property = qobject_cast<QMenu*>(object) ? "title" : "text";
        QCOMPARE(object->property(property).toString(), QString::fromUtf8(text[german ? 2 : 1]));
    }
    // Counts are written as the language writes numbers.
    QCOMPARE(QCoreApplication::translate("PlaylistHistory", "Add %Ln Files", nullptr, 12345),
             german ? u"12.345 Dateien hinzufügen"_s : u"Add 12,345 Files"_s);
    // Keys and the title do not depend on the language.
    QCOMPARE(w.find<QAction>(u"saveAction"_s)->shortcut(), QKeySequence(u"Ctrl+S"_s));
    QCOMPARE(w.window->windowTitle(), u"Songbinder - C:\\Music\\untitled.m3u"_s);

    // Qt's own texts: the Yes button of every question.
    if (german &&
        !QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s))
        QSKIP("Qt's German translations are not installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), german ? u"&Ja"_s : u"&Yes"_s);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
