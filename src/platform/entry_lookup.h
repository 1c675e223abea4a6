#pragma once

#include "platform/path_rules.h"

#include <QString>
#include <QStringView>

#include <optional>

class FileSystem;

// How a playlist entry names what it plays. Players write local files as
// paths or as file: URLs, and radio and TV lists hold stream URLs.
enum class EntryForm {
    Path,    // a file path, full or relative to the root path
    FileUrl, // "file:" (any letter case) and the rest of a URL
    Stream,  // another scheme, two or more characters and "://": http, rtsp, mms, udp...
};

// The form of an entry, from its text as it stands (a leading space makes
// it a path). A scheme begins with a letter and goes on with letters,
// digits, '+', '-' or '.', as URLs have it; a single letter followed by
// ':' is a drive.
EntryForm entryForm(QStringView entry);
inline bool isUrlEntry(QStringView entry) {
    return entryForm(entry) != EntryForm::Path;
}

// True when a URL's host names this machine: no host, "localhost" or the
// machine's own name, in any letter case.
bool isThisMachine(QStringView host);

// The local path a file: URL names, spelt as `rules` spell paths: its
// percent-escapes decoded as UTF-8 (a '%' not followed by two hex digits
// stands for itself), its query and fragment left out, a host of another
// machine made a network path (Windows rules only). Nothing when it names no
// file that can be looked up here: no path, another machine under POSIX
// rules, escapes that give a NUL or bytes that are not UTF-8.
std::optional<QString> fileUrlPath(QStringView url, const PathRules& rules);

// Whether the playlist entry `entry`, read with the root path `root`, names a
// file that is there, as a playlist being read asks it:
// - a stream is always there: it is kept without a test;
// - a file: URL is looked up as the local path it names;
// - a path is joined to the root, and a result that cannot be a full path
//   is not there. Under POSIX rules a path written on Windows ("..\Music\a.mp3")
//   that is not found as written is looked up once more with every '\'
//   turned into '/'. A path that is not UTF-8 is looked up, each time, as
//   its bytes and then as its Windows-1252 text (escaped_bytes.h).
// Names are looked up as isOrdinaryFile() does. The entry is never changed.
bool entryIsPresent(FileSystem& fs, const QString& root, const QString& entry);
