#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The folder of recovery copies, $XDG_STATE_HOME/songbinder/recovery. Every
// running Songbinder keeps at most one copy there, named after itself, and
// holds a lock beside it for as long as it runs: a copy whose lock nobody
// holds was left by a Songbinder that ended without saving.
class RecoveryFolder {
public:
    explicit RecoveryFolder(QString folder);
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // $XDG_STATE_HOME (or ~/.local/state) + /songbinder/recovery.
    static QString standardLocation();

    const QString& folder() const { return m_folder; }
    // This process's copy.
    const QString& ownCopy() const { return m_ownCopy; }

    // Writes this process's copy through the safe writer (readable by the
    // user only). The calls that touch this process's copy (write, remove,
    // adopt) must not overlap: one worker thread makes them in turn.
    bool write(const QByteArray& bytes, QString* error = nullptr);
    // Removes this process's copy, if any.
    void remove();

    // Copies left by Songbinders that are no longer running, newest first.
    QStringList orphans() const;
    std::optional<QByteArray> read(const QString& copy) const;
    // Makes an orphan this process's own copy, as if it had written it.
    bool adopt(const QString& copy);
    // Deletes an orphan and its lock.
    void discard(const QString& copy);

private:
    bool claim(QString* error);

    QString m_folder;
    QString m_ownCopy;
    int m_lock = -1;
};
