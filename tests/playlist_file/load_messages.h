#pragma once

// The two boxes a playlist load may show, as the tests of loading expect
// them.

#include "playlist_fixture.h"

inline Asked rootMessage(const QString& root) {
    return {QStringLiteral("The first item in this list does not contain a full path. Assuming "
                           "Root Path is \"") +
                root + QLatin1Char('"'),
            MessageAnswer::Ok};
}

inline Asked removeMissing(MessageAnswer answer) {
    return {QStringLiteral("Remove Files That No Longer Exist?"), answer};
}
