#pragma once

#include "platform/path_rules.h"

#include <QString>

// The name of a new, untitled playlist in `folder`: the folder, one separator
// (a drive's top folder already ends in one) and "untitled.m3u".
inline QString untitledPlaylistPath(const QString& folder, const PathRules& rules)
{
    const QString sep = rules.separatorString();
    return folder + (folder.endsWith(sep) ? QString() : sep) + QStringLiteral("untitled.m3u");
}
