#pragma once

#include <QApplication>
#include <QByteArrayView>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace bench {

// A QApplication when one of `viewFlags` is on the command line (the run
// shows widgets, offscreen where there is no display), else a
// QCoreApplication. Which one has to be known before there is one to parse
// the options.
inline std::unique_ptr<QCoreApplication>
makeApplication(int& argc, char* argv[], std::initializer_list<const char*> viewFlags) {
    const bool view = std::any_of(argv + 1, argv + argc, [&](const char* arg) {
        return std::any_of(viewFlags.begin(), viewFlags.end(),
                           [&](const char* flag) { return qstrcmp(arg, flag) == 0; });
    });
    if (!view)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace bench
