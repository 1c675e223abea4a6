#pragma once

#include "platform/window_services.h"

#include <functional>

// A main window stand-in: the browser state and selections are plain fields
// the test sets; calls are counted.
class FakeWindowServices final : public WindowServices {
public:
    void RefreshWindowState() override { ++refreshCount; }
    void processPendingEvents() override {
        ++eventTurns;
        if (onProcessEvents)
            onProcessEvents();
    }
    void setBusy(bool on) override {
        busy = on;
        busyChanges.append(on);
    }
    QString dirPath() const override { return dir; }
    QString highlightedFolder() const override { return highlighted.isEmpty() ? dir : highlighted; }
    QString fileListFolder() const override { return fileFolder; }
    QStringList fileListItems() const override { return fileItems; }
    QList<bool> fileListSelection() const override {
        QList<bool> selection(fileItems.size(), false);
        for (int i = 0; i < fileSelected.size() && i < selection.size(); ++i)
            selection[i] = fileSelected[i];
        return selection;
    }
    QList<int> selectedPlaylistRows() const override { return playlistSelection; }
    QString hiddenText() const override { return text1; }
    void setHiddenText(const QString& text) override {
        const qsizetype nul = text.indexOf(QChar(0));
        text1 = nul < 0 ? text : text.left(nul);
    }

    int refreshCount = 0;
    int eventTurns = 0;
    bool busy = false;
    QList<bool> busyChanges;
    std::function<void()> onProcessEvents;

    QString dir;
    QString highlighted;
    QString fileFolder;
    QStringList fileItems;
    QList<bool> fileSelected;
    QList<int> playlistSelection;
    QString text1 = QStringLiteral("Text1");
};
