#include "playlist/playlist_document.h"

#include "platform/dialogs.h"
#include "platform/entry_lookup.h"

namespace {

// A relative entry that would begin with '#', and so read back as a
// directive, is written "./#..." (".\#..." under Windows rules), which names
// the same file.
QString escapedEntry(const PathRules& rules, const QString& relative) {
    if (!relative.startsWith(QLatin1Char('#')))
        return relative;
    return QLatin1Char('.') + rules.separatorString() + relative;
}

} // namespace

PlaylistDocument::PlaylistDocument(PathRules rules, QObject* parent)
    : QObject(parent)
    , m_rules(rules)
    , m_model(rules, nullptr) {}

PlaylistDocument::AddResult PlaylistDocument::addFile(const QString& path) {
    const std::optional<QString> entry = entryForPath(path);
    if (!entry)
        return AddResult::OutsideRoot;
    if (m_model.contains(*entry))
        return AddResult::AlreadyPresent;
    m_model.insertSorted(*entry);
    setModified(true);
    return AddResult::Added;
}

std::optional<QString> PlaylistDocument::entryForPath(const PathRules& rules, const QString& root,
                                                      const QString& path) {
    if (root.isEmpty())
        return path;
    // A plain prefix test on characters: a path that reaches the root
    // folder another way counts as outside.
    if (!rules.startsWithPath(path, root))
        return std::nullopt;
    return escapedEntry(rules, path.mid(root.size()));
}

int PlaylistDocument::rewriteMovedEntries(const std::vector<MovedEntry>& moved) {
    m_model.flushPending();
    // Shared with the list, not copied, until the rewrite detaches it.
    const QList<PlaylistEntry> before = m_editDepth > 0 ? m_model.all() : QList<PlaylistEntry>();
    const int rewritten = m_model.rewriteMoved(moved);
    if (rewritten == 0)
        return 0;
    recordReplaced(before, m_rootPath);
    setModified(true);
    return rewritten;
}

int PlaylistDocument::rewriteMovedEntries(const std::vector<MovedEntry>& moved,
                                          RewrittenEntries rewritten,
                                          const QList<PlaylistEntry>& basis) {
    m_model.flushPending();
    const int changed = holds(basis) ? m_model.takeRewritten(std::move(rewritten)) : 0;
    if (changed == 0)
        return rewriteMovedEntries(moved);
    recordReplaced(basis, m_rootPath);
    setModified(true);
    return changed;
}

void PlaylistDocument::recordReplaced(const QList<PlaylistEntry>& before,
                                      const QString& rootBefore) {
    if (m_editDepth == 0)
        return;
    PlaylistEdit::Part part;
    part.kind = PlaylistEdit::Part::Kind::Replaced;
    part.before = before;
    part.after = m_model.all();
    part.rootBefore = rootBefore;
    part.rootAfter = m_rootPath;
    m_edit.m_parts.push_back(std::move(part));
}

void PlaylistDocument::insertEntry(const QString& text, const QStringList& directives) {
    m_model.insertSorted(text, directives);
}

void PlaylistDocument::removeRows(const QList<int>& rows) {
    m_model.flushPending();
    if (!m_model.removeEntries(rows).isEmpty())
        setModified(true);
}

void PlaylistDocument::removeMissingRows(RemainingEntries remaining,
                                         const QList<PlaylistEntry>& basis) {
    m_model.flushPending();
    if (!holds(basis) || m_model.takeRemaining(std::move(remaining)) == 0) {
        removeRows(missingRows());
        return;
    }
    setModified(true);
}

bool PlaylistDocument::holds(const QList<PlaylistEntry>& basis) const {
    // Any change since the copy was taken left the list apart from it.
    return basis.constData() == m_model.all().constData() && basis.size() == m_model.count();
}

PlaylistDocument::Batch::Batch(PlaylistDocument& document, Dialogs* dialogs, Merge merge)
    : m_document(document)
    , m_dialogs(dialogs)
    , m_merge(merge) {
    m_document.m_model.beginBatch();
    if (m_dialogs) {
        m_previous = m_dialogs->setBeforeShowing([this] {
            m_document.m_model.flushPending();
            if (m_previous)
                m_previous();
        });
    }
}

PlaylistDocument::Batch::~Batch() {
    if (m_dialogs)
        m_dialogs->setBeforeShowing(std::move(m_previous));
    m_document.m_model.endBatch();
    // Inside an outer batch (a command run while another waits in a message
    // box) the outer end would come too late for this command's adds.
    if (m_merge == Merge::AtEnd)
        m_document.m_model.flushPending();
    else if (m_document.m_model.m_batchDepth == 0)
        m_document.m_model.sortPendingRuns();
}

QString PlaylistDocument::asRootPath(const QString& root) const {
    return root.isEmpty() ? root : m_rules.withTrailingSeparator(root);
}

void PlaylistDocument::setRootPath(const QString& root) {
    const QString normalised = asRootPath(root);
    if (normalised == m_rootPath)
        return;
    m_rootPath = normalised;
    m_model.m_root = m_rootPath;
    Q_EMIT rootPathChanged(m_rootPath);
}

bool PlaylistDocument::changeRoot(const QString& root) {
    m_model.flushPending();
    // The entries are cut by the root as it will be stored, separator and
    // all, or root + entry would no longer spell the file's path.
    const QString newRoot = asRootPath(root);
    const QString oldRoot = m_rootPath;
    // Every entry is checked before any is touched, so a refusal leaves the
    // playlist exactly as it was.
    for (const PlaylistEntry& entry : m_model.all()) {
        if (!isUrlEntry(entry.text) &&
            !m_rules.startsWithPath(oldRoot + pathOf(entry.text), newRoot))
            return false;
    }
    // Every entry gains or loses the same leading characters, so rewriting
    // each in its place keeps the list in order. Where a URL or a "./#"
    // entry comes between, the order may change: then it is restored.
    const qsizetype cut = newRoot.size();
    // Shared with the list, not copied, until the rewrite detaches it.
    const QList<PlaylistEntry> before = m_editDepth > 0 ? m_model.all() : QList<PlaylistEntry>();
    bool rewritten = false;
    m_model.rewriteAll([&](const QString& text) {
        QString rebased = isUrlEntry(text) ? text : entryFor((oldRoot + pathOf(text)).mid(cut));
        rewritten = rewritten || rebased != text;
        return rebased;
    });
    setRootPath(newRoot);
    // The same root again changes nothing, but counts as a change.
    if (!rewritten && newRoot == oldRoot) {
        markModifiedWithoutChange();
        return true;
    }
    recordReplaced(before, oldRoot);
    setModified(true);
    return true;
}

QString PlaylistDocument::entryFor(const QString& relative) const {
    return escapedEntry(m_rules, relative);
}

QString PlaylistDocument::pathOf(const QString& entry) const {
    const QString escape = QLatin1Char('.') + m_rules.separatorString() + QLatin1Char('#');
    return entry.startsWith(escape) ? entry.mid(2) : entry;
}

void PlaylistDocument::startUntitled(const QString& path) {
    m_model.clear();
    m_header.clear();
    m_trailer.clear();
    m_encoding = TextCodec::PlaylistEncoding::Plain;
    m_boundToFile = false;
    m_fileIdentity.reset();
    m_modifiedWithoutChange = false;
    setFilePath(path);
    setModified(false);
    startAfresh();
}

void PlaylistDocument::loadFrom(const QString& path, const QString& header,
                                const QStringList& trailer, TextCodec::PlaylistEncoding encoding,
                                const std::optional<FileIdentity>& identity) {
    m_model.clear();
    m_header = header;
    m_trailer = trailer;
    m_encoding = encoding;
    m_boundToFile = true;
    m_fileIdentity = identity;
    m_modifiedWithoutChange = false;
    setFilePath(path);
    setModified(false);
    startAfresh();
}

void PlaylistDocument::loadFrom(const QString& path, const QString& header,
                                const QStringList& trailer, TextCodec::PlaylistEncoding encoding,
                                const std::optional<FileIdentity>& identity,
                                const std::optional<QString>& root, OrderedEntries entries) {
    loadFrom(path, header, trailer, encoding, identity);
    if (root)
        setRootPath(*root);
    m_model.replaceAll(std::move(entries));
}

void PlaylistDocument::markSaved(const QString& path, const std::optional<FileIdentity>& identity) {
    m_boundToFile = true;
    m_fileIdentity = identity;
    m_modifiedWithoutChange = false;
    setFilePath(path);
    setModified(false);
    Q_EMIT saved();
}

void PlaylistDocument::unbindFrom(const QString& path) {
    m_boundToFile = false;
    m_fileIdentity.reset();
    setFilePath(path);
}

void PlaylistDocument::markModifiedWithoutChange() {
    m_modifiedWithoutChange = true;
    setModified(true);
}

void PlaylistDocument::startAfresh() {
    m_model.record(nullptr);
    m_edit = PlaylistEdit();
    m_editDepth = 0;
    ++m_editToken;
    Q_EMIT historyReset();
}

int PlaylistDocument::beginEdit() {
    if (m_editDepth++ == 0) {
        // Adds waiting from before belong to no edit.
        m_model.flushPending();
        m_edit = PlaylistEdit();
        m_model.record(&m_edit);
    }
    return m_editToken;
}

PlaylistEdit PlaylistDocument::endEdit(int token) {
    if (token != m_editToken || m_editDepth == 0 || --m_editDepth > 0)
        return {};
    m_model.flushPending();
    m_model.record(nullptr);
    return std::exchange(m_edit, PlaylistEdit());
}

void PlaylistDocument::undo(PlaylistEdit& edit, bool atSavedState) {
    m_model.flushPending();
    PlaylistModel::RecordingPaused paused(m_model);
    using Kind = PlaylistEdit::Part::Kind;
    for (auto part = edit.m_parts.rbegin(); part != edit.m_parts.rend(); ++part) {
        switch (part->kind) {
        case Kind::Inserted:
            part->entries = m_model.removeSortedRows(part->rows);
            break;
        case Kind::Removed:
            m_model.insertAtRows(part->rows, std::exchange(part->entries, {}));
            break;
        case Kind::Replaced:
            m_model.replaceAll(part->before);
            setRootPath(part->rootBefore);
            break;
        }
    }
    settleModified(atSavedState);
}

void PlaylistDocument::redo(PlaylistEdit& edit, bool atSavedState) {
    m_model.flushPending();
    PlaylistModel::RecordingPaused paused(m_model);
    using Kind = PlaylistEdit::Part::Kind;
    for (PlaylistEdit::Part& part : edit.m_parts) {
        switch (part.kind) {
        case Kind::Inserted:
            m_model.insertAtRows(part.rows, std::exchange(part.entries, {}));
            break;
        case Kind::Removed:
            part.entries = m_model.removeSortedRows(part.rows);
            break;
        case Kind::Replaced:
            m_model.replaceAll(part.after);
            setRootPath(part.rootAfter);
            break;
        }
    }
    settleModified(atSavedState);
}

void PlaylistDocument::settleModified(bool atSavedState) {
    setModified(m_modifiedWithoutChange || !atSavedState);
}

void PlaylistDocument::setFilePath(const QString& path) {
    if (path == m_filePath)
        return;
    m_filePath = path;
    Q_EMIT filePathChanged(m_filePath);
}

void PlaylistDocument::setModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(m_modified);
}
