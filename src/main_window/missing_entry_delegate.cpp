#include "main_window/missing_entry_delegate.h"

#include "playlist/playlist_model.h"

void MissingEntryDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(PlaylistModel::MissingRole).toBool())
        return;
    QPalette& palette = option->palette;
    palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
    palette.setColor(QPalette::HighlightedText,
                     palette.color(QPalette::Disabled, QPalette::HighlightedText));
}
