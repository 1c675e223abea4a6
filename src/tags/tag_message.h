#pragma once

#include <QCoreApplication>
#include <QString>

struct Id3Tag;

// Translation context of the tag message's texts.
class TagMessage {
    Q_DECLARE_TR_FUNCTIONS(TagMessage)
};

// The tag as the file list's double click shows it: one "Label: value" line
// per field that holds something, CR LF between the lines.
QString tagMessageText(const Id3Tag& tag);
