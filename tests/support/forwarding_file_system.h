#pragma once

#include "platform/file_system.h"

// A file system that passes every call on to another one. Test doubles and
// benchmarks derive from it to slow down or hold just the calls they are
// about, and inherit the rest unchanged.
class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& inner)
        : m_inner(inner) {}

    const PathRules& rules() const override { return m_inner.rules(); }
    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override {
        return m_inner.search(pattern, mask, error);
    }
    bool hasFileNamed(const QString& path, SearchMask mask) override {
        return m_inner.hasFileNamed(path, mask);
    }
    QString parentFolder(const QString& path) const override { return m_inner.parentFolder(path); }
    QString buildPath(const QString& folder, const QString& name) const override {
        return m_inner.buildPath(folder, name);
    }
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override {
        return m_inner.folder(path, error);
    }
    std::optional<QStringList> listFolders(const QString& path, QString* error = nullptr) override {
        return m_inner.listFolders(path, error);
    }
    std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                         QString* error = nullptr) override {
        return m_inner.listFiles(path, patterns, error);
    }
    bool isFolder(const QString& path) override { return m_inner.isFolder(path); }
    QList<DriveInfo> drives() override { return m_inner.drives(); }
    QString currentFolder() override { return m_inner.currentFolder(); }
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override {
        return m_inner.readFile(path, error);
    }
    bool readFilePieces(const QString& path, qsizetype pieceSize,
                        const std::function<bool(QByteArrayView)>& take,
                        QString* error = nullptr) override {
        return m_inner.readFilePieces(path, pieceSize, take, error);
    }
    std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                           QString* error = nullptr) override {
        return m_inner.readFileTail(path, count, error);
    }
    bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                         QString* error = nullptr) override {
        return m_inner.writeFileAtomic(path, bytes, error);
    }
    std::optional<FileIdentity> fileIdentity(const QString& path) override {
        return m_inner.fileIdentity(path);
    }
    bool makeFolders(const QString& path, QString* error = nullptr) override {
        return m_inner.makeFolders(path, error);
    }

private:
    FileSystem& m_inner;
};
