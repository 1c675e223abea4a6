#include "fake_file_system.h"

#include <algorithm>

struct FakeFileSystem::Node {
    QString name; // drive root: "C:" or ""
    bool folder = true;
    Attributes attributes;
    bool unreadable = false;
    bool unopenable = false;
    bool writeProtected = false;
    bool ready = true;
    QByteArray content;
    std::uint64_t inode = 0;
    std::int64_t modified = 0;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    Node* child(const QString& childName, Qt::CaseSensitivity cs) const {
        for (const auto& c : children)
            if (c->name.compare(childName, cs) == 0)
                return c.get();
        return nullptr;
    }
    const Node* drive() const {
        const Node* n = this;
        while (n->parent)
            n = n->parent;
        return n;
    }
};

struct FakeFileSystem::Lookup {
    Node* node = nullptr;  // the entry, when it exists
    Node* drive = nullptr; // its drive, when the drive exists
    bool driveReady = false;
    bool folderMissing = false; // a folder along the path is missing or a file
};

namespace {

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

const QString kNotReady = QStringLiteral("Device unavailable");
const QString kNotFound = QStringLiteral("Path not found");
const QString kDenied = QStringLiteral("Permission denied");

class ListSearch final : public FileNameSearch {
public:
    explicit ListSearch(QStringList names)
        : m_names(std::move(names)) {}
    std::optional<QString> next() override {
        if (m_at >= m_names.size())
            return std::nullopt;
        return m_names.at(m_at++);
    }

private:
    QStringList m_names;
    qsizetype m_at = 0;
};

} // namespace

FakeFileSystem::FakeFileSystem(PathRules rules)
    : m_rules(rules) {}
FakeFileSystem::~FakeFileSystem() = default;

FakeFileSystem::Node* FakeFileSystem::driveNode(const QString& path, QString* rest) const {
    QString driveName;
    if (m_rules.isWindows()) {
        if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
            return nullptr;
        driveName = path.left(2);
        *rest = path.mid(2);
    } else {
        if (!path.startsWith(QLatin1Char('/')))
            return nullptr;
        *rest = path;
    }
    for (const auto& d : m_drives)
        if (d->name.compare(driveName, Qt::CaseInsensitive) == 0)
            return d.get();
    return nullptr;
}

FakeFileSystem::Lookup FakeFileSystem::find(const QString& path) const {
    Lookup result;
    QString rest;
    Node* node = driveNode(path, &rest);
    if (!node)
        return result;
    result.drive = node;
    result.driveReady = node->ready;
    const QStringList parts = rest.split(m_rules.separator(), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        // "." stays in the folder, ".." goes up (not above the drive), as
        // the systems resolve them.
        if (node->folder && parts[i] == QLatin1String("."))
            continue;
        if (node->folder && parts[i] == QLatin1String("..")) {
            node = node->parent ? node->parent : node;
            continue;
        }
        Node* next = node->folder ? node->child(parts[i], m_rules.identityCase()) : nullptr;
        if (!next) {
            result.folderMissing = i + 1 < parts.size() || !node->folder;
            return result;
        }
        node = next;
    }
    result.node = node;
    return result;
}

QString FakeFileSystem::nodePath(const Node* node) const {
    QStringList parts;
    for (const Node* n = node; n->parent; n = n->parent)
        parts.prepend(n->name);
    const QString sep = m_rules.separatorString();
    return node->drive()->name + sep + parts.join(sep);
}

void FakeFileSystem::addDrive(const QString& root, bool ready) {
    QString rest;
    if (Node* existing = driveNode(root, &rest)) {
        existing->ready = ready;
        return;
    }
    auto drive = std::make_unique<Node>();
    drive->name = m_rules.isWindows() ? root.left(2) : QString();
    drive->ready = ready;
    m_drives.push_back(std::move(drive));
}

void FakeFileSystem::setDriveReady(const QString& root, bool ready) {
    addDrive(root, ready);
}

FakeFileSystem::Node* FakeFileSystem::makePath(const QString& path, bool lastIsFolder) {
    QString rest;
    Node* node = driveNode(path, &rest);
    if (!node) {
        addDrive(m_rules.isWindows() ? path.left(2) : QStringLiteral("/"));
        node = driveNode(path, &rest);
    }
    const QStringList parts = rest.split(m_rules.separator(), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool folder = lastIsFolder || i + 1 < parts.size();
        Node* next = node->child(parts[i], m_rules.identityCase());
        if (!next) {
            auto created = std::make_unique<Node>();
            created->name = parts[i];
            created->folder = folder;
            created->parent = node;
            created->inode = ++m_lastInode;
            next = created.get();
            node->children.push_back(std::move(created));
        }
        node = next;
    }
    return node;
}

void FakeFileSystem::addFolder(const QString& path) {
    makePath(path, true);
}

void FakeFileSystem::addFile(const QString& path, const QByteArray& content,
                             Attributes attributes) {
    Node* node = makePath(path, false);
    node->folder = false;
    node->content = content;
    node->attributes = attributes;
    node->modified = ++m_clock;
}

void FakeFileSystem::remove(const QString& path) {
    const Lookup at = find(path);
    if (!at.node || !at.node->parent)
        return;
    auto& siblings = at.node->parent->children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                  [&](const auto& c) { return c.get() == at.node; }),
                   siblings.end());
}

void FakeFileSystem::setUnreadable(const QString& path, bool unreadable) {
    makePath(path, true)->unreadable = unreadable;
}

void FakeFileSystem::setUnopenable(const QString& path, bool unopenable) {
    if (Node* node = find(path).node)
        node->unopenable = unopenable;
}

void FakeFileSystem::setWriteProtected(const QString& path, bool protectedFolder) {
    if (Node* node = find(path).node)
        node->writeProtected = protectedFolder;
}

bool FakeFileSystem::exists(const QString& path) const {
    return find(path).node != nullptr;
}

bool FakeFileSystem::isFile(const QString& path) const {
    const Node* node = find(path).node;
    return node && !node->folder;
}

QByteArray FakeFileSystem::content(const QString& path) const {
    const Node* node = find(path).node;
    return node ? node->content : QByteArray();
}

std::unique_ptr<FileNameSearch> FakeFileSystem::search(const QString& pattern, SearchMask mask,
                                                       QString* error) {
    ++m_searchCount;
    if (m_beforeSearch)
        m_beforeSearch(pattern);
    if (pattern.isEmpty())
        return std::make_unique<ListSearch>(QStringList());
    const qsizetype cut = pattern.lastIndexOf(m_rules.separator());
    const QString folderPath = cut < 0 ? m_currentFolder : pattern.left(cut + 1);
    QString name = pattern.mid(cut + 1);
    if (name.isEmpty())
        name = QStringLiteral("*");
    const Lookup at = find(folderPath);
    if (!at.drive) {
        setError(error, kNotFound);
        return nullptr;
    }
    if (!at.driveReady) {
        setError(error, kNotReady);
        return nullptr;
    }
    if (!at.node || !at.node->folder)
        return std::make_unique<ListSearch>(QStringList());
    if (at.node->unreadable) {
        setError(error, kDenied);
        return nullptr;
    }
    QStringList names;
    for (const auto& c : at.node->children) {
        if (c->folder)
            continue;
        if (mask == SearchMask::Normal && (c->attributes.hidden || c->attributes.system))
            continue;
        if (PathRules::matchesPattern(c->name, name))
            names.append(c->name);
    }
    return std::make_unique<ListSearch>(names);
}

std::optional<FolderInfo> FakeFileSystem::folder(const QString& path, QString* error) {
    const Lookup at = find(path);
    if (at.drive && !at.driveReady) {
        setError(error, kNotReady);
        return std::nullopt;
    }
    if (!at.node || !at.node->folder) {
        setError(error, kNotFound);
        return std::nullopt;
    }
    if (at.node->unreadable) {
        setError(error, kDenied);
        return std::nullopt;
    }
    FolderInfo info;
    info.path = nodePath(at.node);
    // The fake has no links: each node is a folder of its own.
    info.identity = {0, reinterpret_cast<quintptr>(at.node)};
    if (info.path.size() > 1 && info.path.endsWith(m_rules.separator()) &&
        !(m_rules.isWindows() && info.path.size() == 3))
        info.path.chop(1);
    for (const auto& c : at.node->children)
        if (c->folder)
            info.subFolders.append(buildPath(info.path, c->name));
    return info;
}

std::optional<QStringList> FakeFileSystem::listFolders(const QString& path, QString* error) {
    const std::optional<FolderInfo> info = folder(path, error);
    if (!info)
        return std::nullopt;
    const Node* node = find(path).node;
    QStringList names;
    for (const auto& c : node->children)
        if (c->folder && !c->attributes.hidden)
            names.append(c->name);
    std::sort(names.begin(), names.end(), PathRules::lessForPlaylist);
    return names;
}

std::optional<QStringList> FakeFileSystem::listFiles(const QString& path, const QString& patterns,
                                                     QString* error) {
    const std::optional<FolderInfo> info = folder(path, error);
    if (!info)
        return std::nullopt;
    const Node* node = find(path).node;
    QStringList names;
    for (const auto& c : node->children)
        if (!c->folder && !c->attributes.hidden && !c->attributes.system &&
            PathRules::matchesAnyPattern(c->name, patterns))
            names.append(c->name);
    std::sort(names.begin(), names.end(), PathRules::lessForPlaylist);
    return names;
}

bool FakeFileSystem::isFolder(const QString& path) {
    const Lookup at = find(path);
    return at.node && at.node->folder && at.driveReady;
}

QList<DriveInfo> FakeFileSystem::drives() {
    QList<DriveInfo> result;
    for (const auto& d : m_drives) {
        const QString root = d->name + m_rules.separatorString();
        result.append({root, m_rules.isWindows() ? d->name.toLower() : root});
    }
    for (const QString& mount : m_mountPoints)
        result.append({mount, mount});
    return result;
}

void FakeFileSystem::addMountPoint(const QString& folder) {
    addFolder(folder);
    m_mountPoints.append(folder);
}

std::optional<QByteArray> FakeFileSystem::readFile(const QString& path, QString* error) {
    if (m_beforeRead)
        m_beforeRead(path);
    return readFileTail(path, -1, error);
}

std::optional<QByteArray> FakeFileSystem::readFileTail(const QString& path, qint64 count,
                                                       QString* error) {
    const Lookup at = find(path);
    if (at.drive && !at.driveReady) {
        setError(error, kNotReady);
        return std::nullopt;
    }
    if (!at.node) {
        setError(error, QStringLiteral("No such file or directory"));
        return std::nullopt;
    }
    if (at.node->folder) {
        setError(error, QStringLiteral("Is a directory"));
        return std::nullopt;
    }
    if (at.node->unopenable) {
        setError(error, kDenied);
        return std::nullopt;
    }
    if (count < 0)
        return at.node->content;
    return at.node->content.right(count);
}

std::optional<FakeFileSystem::Lookup> FakeFileSystem::findForWriting(const QString& path,
                                                                     QString* error) const {
    if (!m_writeFailure.isEmpty()) {
        setError(error, m_writeFailure);
        return std::nullopt;
    }
    const Lookup at = find(path);
    if (at.drive && !at.driveReady) {
        setError(error, kNotReady);
        return std::nullopt;
    }
    return at;
}

bool FakeFileSystem::writeFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    const std::optional<Lookup> found = findForWriting(path, error);
    if (!found)
        return false;
    const Lookup& at = *found;
    const Lookup parent = find(parentFolder(path));
    if (!parent.node || !parent.node->folder) {
        setError(error, QStringLiteral("No such file or directory"));
        return false;
    }
    if (parent.node->writeProtected || (at.node && at.node->attributes.readOnly)) {
        setError(error, kDenied);
        return false;
    }
    if (at.node && at.node->folder) {
        setError(error, QStringLiteral("Is a directory"));
        return false;
    }
    ++m_writeCount;
    addFile(path, bytes, at.node ? at.node->attributes : Attributes{});
    return true;
}

std::optional<FileIdentity> FakeFileSystem::fileIdentity(const QString& path) {
    const Lookup at = find(path);
    if (!at.node || at.node->folder || !at.driveReady)
        return std::nullopt;
    return FileIdentity{0, at.node->inode, at.node->content.size(), at.node->modified};
}

bool FakeFileSystem::makeFolders(const QString& path, QString* error) {
    const std::optional<Lookup> found = findForWriting(path, error);
    if (!found)
        return false;
    if (const Lookup& at = *found; at.node) {
        if (at.node->folder)
            return true;
        setError(error, QStringLiteral("Not a directory"));
        return false;
    }
    // Every level above must be a folder that takes new entries.
    const QString parent = parentFolder(path);
    if (!parent.isEmpty() && parent != path && !makeFolders(parent, error))
        return false;
    if (const Lookup above = find(parent); above.node && above.node->writeProtected) {
        setError(error, kDenied);
        return false;
    }
    addFolder(path);
    return true;
}
