#pragma once

#include "platform/file_identity.h"
#include "platform/path_rules.h"
#include "platform/text_codec.h"
#include "playlist/playlist_edit.h"

#include <QByteArray>
#include <QString>

#include <optional>

class PlaylistDocument;

// What a recovery copy holds: enough to put an unsaved playlist back as it
// was, the file it belongs to and whether Save may overwrite that file.
struct RecoverySnapshot {
    QString header;
    QList<PlaylistEntry> entries;
    QStringList trailer;
    TextCodec::PlaylistEncoding encoding = TextCodec::PlaylistEncoding::Plain;
    QString rootPath;
    QString filePath;
    bool boundToFile = false;
    std::optional<FileIdentity> fileIdentity;
};

// The playlist as it stands. Cheap: the entries and their directives are
// shared with the document, not copied, so it can be taken on the window's
// thread and turned into bytes on another.
RecoverySnapshot takeRecoverySnapshot(const PlaylistDocument& document);

// The copy's bytes: a few header lines (path, root, bound flag, identity),
// a blank line, then the playlist exactly as Save would write it.
QByteArray recoveryBytes(const RecoverySnapshot& snapshot, const PathRules& rules);
// Nothing when the bytes are no recovery copy.
std::optional<RecoverySnapshot> parseRecoveryBytes(const QByteArray& bytes, const PathRules& rules);

// Puts the snapshot's playlist into the document, marked modified.
void restoreRecoverySnapshot(PlaylistDocument& document, const RecoverySnapshot& snapshot);
