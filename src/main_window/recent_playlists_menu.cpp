#include "main_window/recent_playlists_menu.h"

#include "platform/file_system.h"
#include "platform/settings_store.h"

RecentPlaylistsMenu::RecentPlaylistsMenu(FileSystem& fs, QWidget* parent)
    : QMenu(tr("Open Recent"), parent)
    , m_fs(fs)
    , m_playlists(fs) {
    setObjectName(QStringLiteral("recentMenu"));
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, [this] {
        if (m_playlists.dropMissing())
            changed();
        rebuild();
    });
}

void RecentPlaylistsMenu::useSettings(SettingsStore& settings) {
    m_settings = &settings;
    m_playlists.assign(settings.recentPlaylists());
}

void RecentPlaylistsMenu::add(const QString& path) {
    m_playlists.add(path);
    changed();
}

void RecentPlaylistsMenu::remove(const QString& path) {
    m_playlists.remove(path);
    changed();
}

void RecentPlaylistsMenu::changed() {
    if (m_settings)
        m_settings->setRecentPlaylists(m_playlists.paths());
}

void RecentPlaylistsMenu::rebuild() {
    clear();
    const QStringList& paths = m_playlists.paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        const qsizetype cut = path.lastIndexOf(m_fs.rules().separator());
        QString name = path.mid(cut + 1);
        // An ampersand in a file name is a letter, not a key.
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setObjectName(QStringLiteral("recentPlaylist%1").arg(i + 1));
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    addSeparator();
    QAction* clearAll = addAction(tr("Clear Menu"));
    clearAll->setObjectName(QStringLiteral("clearRecentAction"));
    clearAll->setEnabled(!paths.isEmpty());
    connect(clearAll, &QAction::triggered, this, [this] {
        m_playlists.clear();
        changed();
    });
}
