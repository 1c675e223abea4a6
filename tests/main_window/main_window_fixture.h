#pragma once

// The main window over an in-memory file system, driven through its widgets.

#include "main_window/main_window.h"
#include "playlist_fixture.h"

#include <QAction>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace window_test {

using namespace Qt::StringLiterals;

// The window over an in-memory C: and D: drive, started in C:\Music.
struct Window : PlaylistFixture<> {
    explicit Window(const QString& start = u"C:\\Music"_s) {
        addFiles(fs, {u"C:\\Music\\b.mp3"_s, u"C:\\Music\\A.MP3"_s, u"C:\\Music\\c.Wav"_s,
                      u"C:\\Music\\d.wma"_s, u"C:\\Music\\notes.txt"_s, u"C:\\Music\\Rock\\r.mp3"_s,
                      u"D:\\x.mp3"_s});
        fs.addFile(u"C:\\Music\\h.mp3"_s, {}, {.hidden = true});
        fs.addFolder(u"C:\\Music\\Empty"_s);
        fs.setCurrentFolder(start);
    }
    MainWindow& open(const QStringList& arguments = {}) {
        window = std::make_unique<MainWindow>(fs, &dialogs);
        window->startUp(arguments);
        waitUntilIdle();
        return *window;
    }
    // A playlist loads beside the window, which rests the commands that
    // would replace it meanwhile: true once they are back.
    bool waitUntilIdle() const {
        return QTest::qWaitFor([this] {
            return !window->isStartingUp() &&
                   window->findChild<QAction*>(u"openAction"_s)->isEnabled();
        });
    }
    // Start-up, then the window on screen and active, as a user sees it.
    bool openAndShow() {
        open();
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }
    template <typename T> T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qWarning("no child %s", qPrintable(name));
        return widget;
    }
    PlaylistDocument& doc() { return window->document(); }
    QListWidget* files() const { return find<QListWidget>(u"fileList"_s); }
    QListWidget* folders() const { return find<QListWidget>(u"folderList"_s); }
    QListView* playlist() const { return find<QListView>(u"playlistView"_s); }
    bool enabled(const QString& name) const {
        QObject* object = window->findChild<QObject*>(name);
        if (auto* action = qobject_cast<QAction*>(object))
            return action->isEnabled();
        return qobject_cast<QWidget*>(object)->isEnabled();
    }
    QStringList fileNames() const {
        QStringList names;
        for (int i = 0; i < files()->count(); ++i)
            names.append(files()->item(i)->text());
        return names;
    }
    void click(const QString& button) {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    // A real click (or double click) on a row of one of the browser's lists.
    static void clickRow(QListWidget* list, const QString& text, bool twice = false) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QPoint at = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace window_test
