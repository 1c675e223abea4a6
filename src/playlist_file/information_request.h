#pragma once

#include <QString>
#include <QStringList>

// `songbinder --help` and `songbinder --version` print what they ask for and
// end the program. Only these words alone are switches: any other command
// line, "--help" among other words included, names a playlist as it always
// did.
enum class InformationRequest { None, Help, Version };

// `arguments` are the program's arguments without its own path.
InformationRequest informationRequested(const QStringList& arguments);

// The text to print, ending in a line break. Needs an application object:
// the usage line names the program as it was started.
QString informationText(InformationRequest request);
