#pragma once

// What a command runs against in a test: a file system, dialogs that answer
// from a script, and the playlist document. Windows rules on the in-memory
// file system unless a test asks otherwise; a real disk under a temporary
// folder where only the real file system shows the behaviour.

#include "fake_file_system.h"
#include "platform/native_file_system.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist_document.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <type_traits>
#include <unistd.h>
#include <utility>

template <class Fs = FakeFileSystem, class Answers = ScriptedDialogs> struct PlaylistFixture {
    template <class... Args>
    explicit PlaylistFixture(Args&&... args)
        : fs(std::forward<Args>(args)...) {}
    // A walk's listing may still be reading when its walk has gone: the file
    // system goes only once no listing reads it.
    ~PlaylistFixture() {
        if (!FolderTreeAdd::waitForListings(30000))
            qFatal("a folder listing did not end");
    }
    PlaylistFixture(const PlaylistFixture&) = delete;
    PlaylistFixture& operator=(const PlaylistFixture&) = delete;

    // Puts entries in the playlist as a loaded playlist would, without the
    // tests of an add.
    void setEntries(const QString& root, const QStringList& entries) {
        document.startUntitled(document.filePath());
        document.setRootPath(root);
        for (const QString& entry : entries)
            document.insertEntry(entry);
    }
    void setEntries(const QStringList& entries) { setEntries(document.rootPath(), entries); }
    QStringList entries() const { return document.entries(); }

    Fs fs;
    Answers dialogs;
    PlaylistDocument document{fs.rules()};
};

// Files in the in-memory tree, empty ones unless given content.
inline void addFiles(FakeFileSystem& fs, const QStringList& paths) {
    for (const QString& path : paths)
        fs.addFile(path);
}

// A folder of its own on the real disk, removed with everything in it.
class NativeTree {
public:
    NativeTree() { QVERIFY(m_dir.isValid()); }

    QString path(const QString& relative = {}) const {
        return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
    }
    // Creates the file (and the folders above it) with these bytes.
    void makeFile(const QString& relative, const QByteArray& bytes = {}) const {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    void makeFolder(const QString& relative) const { QVERIFY(QDir().mkpath(path(relative))); }
    void makeLink(const QString& target, const QString& relative) const {
        QVERIFY(QFile::link(target, path(relative)));
    }
    QByteArray read(const QString& relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

private:
    QTemporaryDir m_dir;
};

// Root may read and write any file whatever its mode, so permission tests
// act as the unprivileged user "nobody" while one of these lives, when the
// tests run as root.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser()
        : m_switched(::geteuid() == 0 && ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0) {}
    ~AsUnprivilegedUser() {
        if (m_switched && (::seteuid(0) != 0 || ::setegid(0) != 0))
            qFatal("could not return to root");
    }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool m_switched;
};

// A message box a test expects, with the user's answer.
struct Asked {
    QString text;
    MessageAnswer answer = MessageAnswer::Ok;
};
using Script = QList<Asked>;
Q_DECLARE_METATYPE(Script)

inline void expect(ScriptedDialogs& dialogs, const Script& script) {
    for (const Asked& asked : script)
        dialogs.expectMessage(asked.text, asked.answer);
}

// Answers every question Yes (OK where that is the only button) and keeps
// the texts, for input whose questions cannot be foretold.
class YesDialogs final : public Dialogs {
public:
    MessageAnswer showMessage(const MessageRequest& request) override {
        texts.append(request.text);
        if (onMessage)
            onMessage(request);
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
    std::optional<QString> showOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> showSaveFile(const FileDialogRequest&) override { return std::nullopt; }

    // Runs as each message shows, before it is answered: a test's look at
    // that moment.
    std::function<void(const MessageRequest&)> onMessage;
    QStringList texts;
};

// Everything the document told its listeners (the window) from now on: the
// values each of its signals carried, in order.
class DocumentSignals {
public:
    explicit DocumentSignals(PlaylistDocument& document)
        : m_modified(&document, &PlaylistDocument::modifiedChanged)
        , m_filePath(&document, &PlaylistDocument::filePathChanged)
        , m_rootPath(&document, &PlaylistDocument::rootPathChanged) {}

    QList<bool> modified() const {
        QList<bool> values;
        for (const QList<QVariant>& arguments : m_modified)
            values.append(arguments.at(0).toBool());
        return values;
    }
    QStringList filePaths() const { return strings(m_filePath); }
    QStringList rootPaths() const { return strings(m_rootPath); }
    // Signals of any kind: none means the window has nothing to show anew.
    qsizetype count() const { return m_modified.size() + m_filePath.size() + m_rootPath.size(); }

private:
    static QStringList strings(const QSignalSpy& spy) {
        QStringList values;
        for (const QList<QVariant>& arguments : spy)
            values.append(arguments.at(0).toString());
        return values;
    }

    QSignalSpy m_modified;
    QSignalSpy m_filePath;
    QSignalSpy m_rootPath;
};

// Plain literals as a list of texts, for data tables.
inline QStringList strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// Runs Add Entire Dir on `folder` to its end, as the window would: the event
// loop runs while the folder tree is listed and added. True when it finished
// in time.
template <class Fixture>
bool addFolderTree(Fixture& fixture, const QString& folder, int timeoutMs = 60000) {
    FolderTreeAdd add(fixture.document, fixture.fs, fixture.dialogs, folder);
    QSignalSpy finished(&add, &FolderTreeAdd::finished);
    add.start();
    return finished.wait(timeoutMs) && finished.size() == 1;
}
