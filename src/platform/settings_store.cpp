#include "platform/settings_store.h"

#include <QSettings>

namespace {

const QString kRecentPlaylists = QStringLiteral("recentPlaylists");
const QString kWindowSize = QStringLiteral("mainWindow/size");

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString& path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

std::unique_ptr<SettingsStore> SettingsStore::forThisRun(const QString& platformName) {
    auto store = std::make_unique<SettingsStore>();
    if (settingsAllowed(platformName, qgetenv("SONGBINDER_NO_SETTINGS")))
        store->m_settings = std::make_unique<QSettings>();
    return store;
}

QStringList SettingsStore::recentPlaylists() const {
    return m_settings ? m_settings->value(kRecentPlaylists).toStringList() : QStringList();
}

void SettingsStore::setRecentPlaylists(const QStringList& paths) {
    if (m_settings)
        m_settings->setValue(kRecentPlaylists, paths);
}

QSize SettingsStore::windowSize() const {
    return m_settings ? m_settings->value(kWindowSize).toSize() : QSize();
}

void SettingsStore::setWindowSize(QSize size) {
    if (m_settings)
        m_settings->setValue(kWindowSize, size);
}

bool settingsAllowed(const QString& platformName, const QByteArray& noSettingsVariable) {
    return platformName != QLatin1String("offscreen") && noSettingsVariable != "1";
}
