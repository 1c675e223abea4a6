// The window in the system's language: run by CTest once with LANG=C, where
// every text is the program's English original, and once with
// LANG=de_DE.UTF-8 (EXPECTED_LANGUAGE=de), where it speaks German.
#include "main_window_fixture.h"
#include "platform/translations.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>

using namespace Qt::StringLiterals;

using window_test::Window;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpTexts();
    void qtsOwnTexts();

private:
    bool m_german = false;
};

void TestLanguage::initTestCase() {
    m_german = qEnvironmentVariable("EXPECTED_LANGUAGE") == "de"_L1;
    installTranslations(*qApp, QLocale());
}

void TestLanguage::startUpTexts() {
    Window w;
    w.open();
    struct Text {
        const char* name;
        const char* english;
        const char* german;
    };
    const Text texts[] = {
        {"fileMenu", "File", "Datei"},
        {"openAction", "Open...", "Öffnen..."},
        {"recentMenu", "Open Recent", "Zuletzt geöffnet"},
        {"saveAsAction", "Save As...", "Speichern unter..."},
        {"helpMenu", "Help", "Hilfe"},
        {"associateAction", "Associate Program", "Programm verknüpfen"},
        {"addSelectedFilesButton", "Add Selected Files To Playist",
         "Ausgewählte Dateien zur Liste hinzufügen"},
        {"addFolderTreeButton", "Add Entire Dir To Playlist", "Ordner hinzufügen"},
        {"removeButton", "Remove Selected Items", "Auswahl entfernen"},
        {"playlistTitleLabel", "Current Playlist (C:\\Music\\untitled.m3u)",
         "Aktuelle Wiedergabeliste (C:\\Music\\untitled.m3u)"},
    };
    for (const Text& text : texts) {
        QObject* object = w.window->findChild<QObject*>(QLatin1String(text.name));
        QVERIFY2(object, text.name);
        QString shown;
        if (auto* menu = qobject_cast<QMenu*>(object))
            shown = menu->title();
        else if (auto* action = qobject_cast<QAction*>(object))
            shown = action->text();
        else if (auto* label = qobject_cast<QLabel*>(object))
            shown = label->text();
        else
            shown = qobject_cast<QAbstractButton*>(object)->text();
        QCOMPARE(shown, QString::fromUtf8(m_german ? text.german : text.english));
    }
    // The shortcuts do not depend on the language.
    QCOMPARE(w.find<QAction>(u"saveAction"_s)->shortcut(), QKeySequence(u"Ctrl+S"_s));
    QCOMPARE(w.window->windowTitle(), u"Songbinder - C:\\Music\\untitled.m3u"_s);
}

void TestLanguage::qtsOwnTexts() {
    if (m_german &&
        !QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_de.qm"_s))
        QSKIP("Qt's German translations are not installed (qt6-translations-l10n)");
    // The Yes button of every question.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"),
             m_german ? u"&Ja"_s : u"&Yes"_s);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
