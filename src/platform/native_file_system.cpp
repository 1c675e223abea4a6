#include "platform/native_file_system.h"

#include "platform/escaped_bytes.h"
#include "platform/safe_write.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

QString errnoText(int code) {
    return qt_error_string(code);
}

// A path as the system's calls take it. A path read from a playlist may
// hold escapes for bytes that are not UTF-8 (escaped_bytes.h): they become
// those bytes again, so a name on disk in Latin-1 is found.
QByteArray nativePath(const QString& path) {
    return EscapedBytes::holdsEscapes(path) ? EscapedBytes::toBytes(path) : QFile::encodeName(path);
}

// The system's calls end a path at its first NUL: such a path names nothing.
bool hasNul(const QString& path) {
    return path.contains(QChar(0));
}

// Whole-file reads stop here, so a huge file opened by mistake cannot exhaust
// memory; the largest playlists are a few tens of megabytes.
constexpr qint64 kMaxReadBytes = 256 * 1024 * 1024;

bool isHidden(const char* name) {
    return name[0] == '.';
}

bool hasWildcards(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// What a directory entry is, following a symbolic link only when asked.
enum class EntryKind { File, Folder, Other };

EntryKind entryKind(const QByteArray& folder, const dirent* entry, bool followLinks) {
    if (entry->d_type == DT_REG)
        return EntryKind::File;
    if (entry->d_type == DT_DIR)
        return EntryKind::Folder;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return EntryKind::Other;
    if (entry->d_type == DT_LNK && !followLinks)
        return EntryKind::Other;
    const QByteArray full = folder + '/' + entry->d_name;
    struct stat st {};
    const int rc = followLinks ? ::stat(full.constData(), &st) : ::lstat(full.constData(), &st);
    if (rc != 0)
        return EntryKind::Other;
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

// An open directory, closed on every path out.
class DirHandle {
public:
    explicit DirHandle(const QByteArray& path)
        : m_dir(::opendir(path.constData())) {}
    ~DirHandle() {
        if (m_dir)
            ::closedir(m_dir);
    }
    DirHandle(const DirHandle&) = delete;
    DirHandle& operator=(const DirHandle&) = delete;
    DIR* get() const { return m_dir; }

private:
    DIR* m_dir;
};

// A search over one folder's directory stream: names are produced as the file
// system lists them, one at a time.
class DirectorySearch final : public FileNameSearch {
public:
    DirectorySearch(QByteArray folder, QString namePattern, SearchMask mask)
        : m_folder(std::move(folder))
        , m_dir(m_folder)
        , m_pattern(std::move(namePattern))
        , m_mask(mask) {}
    bool isOpen() const { return m_dir.get() != nullptr; }

    std::optional<QString> next() override {
        while (const dirent* entry = ::readdir(m_dir.get())) {
            if (m_mask == SearchMask::Normal && isHidden(entry->d_name))
                continue;
            if (qstrcmp(entry->d_name, ".") == 0 || qstrcmp(entry->d_name, "..") == 0)
                continue;
            const QString name = QFile::decodeName(entry->d_name);
            if (!PathRules::matchesPattern(name, m_pattern))
                continue;
            if (entryKind(m_folder, entry, true) == EntryKind::File)
                return name;
        }
        return std::nullopt;
    }

private:
    QByteArray m_folder;
    DirHandle m_dir;
    QString m_pattern;
    SearchMask m_mask;
};

// A search for one exact name: a single stat, no folder listing.
class SingleNameSearch final : public FileNameSearch {
public:
    explicit SingleNameSearch(std::optional<QString> name)
        : m_name(std::move(name)) {}
    std::optional<QString> next() override { return std::exchange(m_name, std::nullopt); }

private:
    std::optional<QString> m_name;
};

// Whether `path`, whose last part is `name`, is a file the mask finds: one
// stat, no folder listing. Nothing, with *error set, when the file system
// cannot tell (no access to a folder on the way, a broken device).
std::optional<bool> fileNamed(const QString& path, const QString& name, SearchMask mask,
                              QString* error) {
    struct stat st {};
    const QByteArray full = nativePath(path);
    if (::stat(full.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        setError(error, errnoText(errno));
        return std::nullopt;
    }
    return S_ISREG(st.st_mode) &&
           (mask == SearchMask::AllFiles || !name.startsWith(QLatin1Char('.')));
}

QByteArray folderBytes(const QString& folder) {
    return nativePath(folder.isEmpty() ? QStringLiteral(".") : folder);
}

} // namespace

std::unique_ptr<FileNameSearch> NativeFileSystem::search(const QString& pattern, SearchMask mask,
                                                         QString* error) {
    const qsizetype cut = pattern.lastIndexOf(QLatin1Char('/'));
    const QString folder =
        cut < 0 ? QString() : (cut == 0 ? QStringLiteral("/") : pattern.left(cut));
    if (pattern.isEmpty() || hasNul(pattern))
        return std::make_unique<SingleNameSearch>(std::nullopt);
    // A folder path ending in a separator searches for any file in it.
    QString name = pattern.mid(cut + 1);
    if (name.isEmpty())
        name = QStringLiteral("*");
    if (!hasWildcards(name)) {
        const std::optional<bool> found = fileNamed(pattern, name, mask, error);
        if (!found)
            return nullptr;
        return std::make_unique<SingleNameSearch>(*found ? std::optional<QString>(name)
                                                         : std::nullopt);
    }
    auto listing = std::make_unique<DirectorySearch>(folderBytes(folder), name, mask);
    if (!listing->isOpen()) {
        setError(error, errnoText(errno));
        return nullptr;
    }
    return listing;
}

bool NativeFileSystem::hasFileNamed(const QString& path, SearchMask mask) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || hasNul(path))
        return false;
    return fileNamed(path, name, mask, nullptr).value_or(false);
}

namespace {

// Reads a folder's entries (without "." and ".."), handing each to `visit`.
// False, with *error set, when the folder cannot be opened or read to its end.
template <typename Visit> bool readEntries(const QString& path, QString* error, Visit visit) {
    if (hasNul(path)) {
        setError(error, errnoText(ENOENT));
        return false;
    }
    const QByteArray bytes = folderBytes(path);
    DirHandle dir(bytes);
    if (!dir.get()) {
        setError(error, errnoText(errno));
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
            visit(bytes, entry);
        // What the visit's own calls left there (a link to nothing) is not
        // readdir's failure.
        errno = 0;
    }
    if (errno != 0) {
        setError(error, errnoText(errno));
        return false;
    }
    return true;
}

} // namespace

std::optional<FolderInfo> NativeFileSystem::folder(const QString& path, QString* error) {
    FolderInfo info;
    info.path = path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
    // The folder the path leads to, through any links: a walk knows by it
    // whether it has been there.
    struct stat st {};
    if (hasNul(path) || ::stat(folderBytes(path).constData(), &st) != 0) {
        setError(error, errnoText(hasNul(path) ? ENOENT : errno));
        return std::nullopt;
    }
    info.identity = {static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino)};
    const bool read = readEntries(path, error, [&](const QByteArray& bytes, const dirent* entry) {
        // A link to a folder leads to a sub-tree like any folder.
        if (entryKind(bytes, entry, true) == EntryKind::Folder)
            info.subFolders.append(buildPath(info.path, QFile::decodeName(entry->d_name)));
    });
    return read ? std::optional<FolderInfo>(std::move(info)) : std::nullopt;
}

std::optional<QStringList> NativeFileSystem::listFolders(const QString& path, QString* error) {
    QStringList names;
    const bool read = readEntries(path, error, [&](const QByteArray& bytes, const dirent* entry) {
        if (!isHidden(entry->d_name) && entryKind(bytes, entry, true) == EntryKind::Folder)
            names.append(QFile::decodeName(entry->d_name));
    });
    if (!read)
        return std::nullopt;
    std::sort(names.begin(), names.end(), PathRules::lessForPlaylist);
    return names;
}

std::optional<QStringList> NativeFileSystem::listFiles(const QString& path, const QString& patterns,
                                                       QString* error) {
    QStringList names;
    const bool read = readEntries(path, error, [&](const QByteArray& bytes, const dirent* entry) {
        if (isHidden(entry->d_name))
            return;
        const QString name = QFile::decodeName(entry->d_name);
        if (PathRules::matchesAnyPattern(name, patterns) &&
            entryKind(bytes, entry, true) == EntryKind::File)
            names.append(name);
    });
    if (!read)
        return std::nullopt;
    std::sort(names.begin(), names.end(), PathRules::lessForPlaylist);
    return names;
}

bool NativeFileSystem::isFolder(const QString& path) {
    struct stat st {};
    return ::stat(nativePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QList<DriveInfo> NativeFileSystem::drives() {
    // Mounted, ready volumes that hold the user's files; pseudo and system
    // file systems are left out. The root volume always comes first.
    static const QStringList skippedTypes = {
        QStringLiteral("tmpfs"),      QStringLiteral("devtmpfs"), QStringLiteral("squashfs"),
        QStringLiteral("overlay"),    QStringLiteral("proc"),     QStringLiteral("sysfs"),
        QStringLiteral("cgroup2"),    QStringLiteral("efivarfs"), QStringLiteral("autofs"),
        QStringLiteral("fuse.portal")};
    static const QStringList skippedPlaces = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                              QStringLiteral("/dev"),  QStringLiteral("/run"),
                                              QStringLiteral("/boot"), QStringLiteral("/snap"),
                                              QStringLiteral("/var"),  QStringLiteral("/tmp")};
    QList<DriveInfo> result{{QStringLiteral("/"), QStringLiteral("/")}};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root == QLatin1String("/") || !volume.isValid() || !volume.isReady())
            continue;
        if (skippedTypes.contains(QString::fromLatin1(volume.fileSystemType())))
            continue;
        const bool underMedia = root.startsWith(QLatin1String("/run/media/"));
        if (!underMedia &&
            std::any_of(skippedPlaces.begin(), skippedPlaces.end(), [&](const QString& p) {
                return root == p || root.startsWith(p + QLatin1Char('/'));
            }))
            continue;
        const QString name = volume.displayName();
        result.append({root, name.isEmpty() || name == root
                                 ? root
                                 : root + QStringLiteral(" [") + name + QLatin1Char(']')});
    }
    return result;
}

QString NativeFileSystem::currentFolder() {
    return QDir::currentPath();
}

namespace {

// Opens `file` for a whole-file read; false, with *error set, when it cannot
// be read or is beyond what a whole-file read takes.
bool openWhole(QFile& file, bool isFolder, QString* error) {
    const QString path = file.fileName();
    if (hasNul(path) || isFolder) {
        setError(error, errnoText(hasNul(path) ? ENOENT : EISDIR));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.size() > kMaxReadBytes) {
        setError(error,
                 QCoreApplication::translate("NativeFileSystem", "The file is too large (%1 MB).")
                     .arg(file.size() >> 20));
        return false;
    }
    return true;
}

// The file grew past the limit while it was read.
QString grewTooLarge() {
    return QCoreApplication::translate("NativeFileSystem", "The file is too large.");
}

} // namespace

std::optional<QByteArray> NativeFileSystem::readFile(const QString& path, QString* error) {
    QFile file(path);
    if (!openWhole(file, isFolder(path), error))
        return std::nullopt;
    QByteArray bytes = file.read(kMaxReadBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    if (bytes.size() > kMaxReadBytes) {
        setError(error, grewTooLarge());
        return std::nullopt;
    }
    return bytes;
}

bool NativeFileSystem::readFilePieces(const QString& path, qsizetype pieceSize,
                                      const std::function<bool(QByteArrayView)>& take,
                                      QString* error) {
    QFile file(path);
    if (!openWhole(file, isFolder(path), error))
        return false;
    // One buffer for every piece: only a piece is ever held.
    QByteArray piece(pieceSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 got = file.read(piece.data(), pieceSize);
        if (got < 0) {
            setError(error, file.errorString());
            return false;
        }
        if (got == 0)
            return true;
        total += got;
        if (total > kMaxReadBytes) {
            setError(error, grewTooLarge());
            return false;
        }
        if (!take(QByteArrayView(piece.constData(), got)))
            return true;
    }
}

std::optional<QByteArray> NativeFileSystem::readFileTail(const QString& path, qint64 count,
                                                         QString* error) {
    QFile file(path);
    if (hasNul(path) || isFolder(path)) {
        setError(error, errnoText(hasNul(path) ? ENOENT : EISDIR));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (!file.seek(std::max<qint64>(0, size - count))) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.read(std::min(size, count));
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

bool NativeFileSystem::writeFileAtomic(const QString& path, const QByteArray& bytes,
                                       QString* error) {
    if (hasNul(path)) {
        setError(error, errnoText(ENOENT));
        return false;
    }
    const SafeWriteResult written =
        writeFileSafely(nativePath(path).toStdString(),
                        std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!written.ok())
        setError(error, errnoText(written.error));
    return written.ok();
}

std::optional<FileIdentity> NativeFileSystem::fileIdentity(const QString& path) {
    if (hasNul(path))
        return std::nullopt;
    return fileIdentityOf(nativePath(path).toStdString());
}

bool NativeFileSystem::makeFolders(const QString& path, QString* error) {
    if (hasNul(path)) {
        setError(error, errnoText(ENOENT));
        return false;
    }
    if (isFolder(path))
        return true;
    // Made one level at a time, so the reason is that of the level that failed.
    const QString parent = parentFolder(path);
    if (!parent.isEmpty() && parent != path && !makeFolders(parent, error))
        return false;
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0 && errno != EEXIST) {
        setError(error, errnoText(errno));
        return false;
    }
    if (!isFolder(path)) {
        setError(error, errnoText(ENOTDIR));
        return false;
    }
    return true;
}
