#pragma once

#include <QSize>
#include <QStringList>

#include <memory>

class QSettings;

// What the program remembers between runs: the recent playlists and the main
// window's size. A store without a backing file remembers nothing, so
// headless runs and tests never read or change the user's settings.
class SettingsStore {
public:
    // Remembers nothing: reads give empty values, writes are dropped.
    SettingsStore();
    // Kept in the INI file at `path` (a test's temporary folder).
    explicit SettingsStore(const QString& path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The user's settings (under ~/.config, from the organisation and
    // application names), unless this run must leave them alone: see
    // settingsAllowed().
    static std::unique_ptr<SettingsStore> forThisRun(const QString& platformName);

    bool isEnabled() const { return m_settings != nullptr; }

    QStringList recentPlaylists() const;
    void setRecentPlaylists(const QStringList& paths);
    // An invalid size when none was remembered.
    QSize windowSize() const;
    void setWindowSize(QSize size);

private:
    std::unique_ptr<QSettings> m_settings;
};

// False for a headless run (the "offscreen" platform: test machines, CI) and
// when SONGBINDER_NO_SETTINGS is "1".
bool settingsAllowed(const QString& platformName, const QByteArray& noSettingsVariable);
