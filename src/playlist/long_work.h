#pragma once

#include <QObject>
#include <QString>

// Work that may take a while and runs without blocking the window: an Add
// Entire Dir walk, the existence tests of a load, a search for moved files.
// The window shows what it says in its status bar, with Cancel, for as long
// as it runs (only when it runs longer than a moment, so short work never
// flickers).
class LongWork : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // What is happening now, as one line of the status bar:
    // "Adding files from /music/Artist... 12,345 found, 12,000 added".
    virtual QString statusText() const = 0;
    // How much of a known amount is done, for a progress bar; a total of 0
    // when the amount is not known beforehand (a walk).
    virtual qint64 progressDone() const { return 0; }
    virtual qint64 progressTotal() const { return 0; }
    // Asks the work to stop soon (within a tenth of a second): what it has
    // done so far stays done. finished() follows as usual.
    virtual void cancel() = 0;
    virtual bool isFinished() const = 0;

Q_SIGNALS:
    // The status text or progress changed; sent at most about ten times a
    // second.
    void progressChanged();
    // The work ended, done or cancelled; its closing messages were shown.
    void finished();
};
