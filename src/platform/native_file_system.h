#pragma once

#include "platform/file_system.h"

// The real file system of this machine (POSIX rules: "/" separator,
// case-sensitive names, names beginning with '.' are hidden).
class NativeFileSystem final : public FileSystem {
public:
    const PathRules& rules() const override { return m_rules; }

    std::unique_ptr<FileNameSearch> search(const QString& pattern, SearchMask mask,
                                           QString* error = nullptr) override;
    bool hasFileNamed(const QString& path, SearchMask mask) override;
    std::optional<FolderInfo> folder(const QString& path, QString* error = nullptr) override;
    std::optional<QStringList> listFolders(const QString& path, QString* error = nullptr) override;
    std::optional<QStringList> listFiles(const QString& path, const QString& patterns,
                                         QString* error = nullptr) override;
    bool isFolder(const QString& path) override;
    QList<DriveInfo> drives() override;
    QString currentFolder() override;
    std::optional<QByteArray> readFile(const QString& path, QString* error = nullptr) override;
    bool readFilePieces(const QString& path, qsizetype pieceSize,
                        const std::function<bool(QByteArrayView)>& take,
                        QString* error = nullptr) override;
    std::optional<QByteArray> readFileTail(const QString& path, qint64 count,
                                           QString* error = nullptr) override;
    bool writeFileAtomic(const QString& path, const QByteArray& bytes,
                         QString* error = nullptr) override;
    std::optional<FileIdentity> fileIdentity(const QString& path) override;
    bool makeFolders(const QString& path, QString* error = nullptr) override;

private:
    PathRules m_rules = PathRules::posix();
};
