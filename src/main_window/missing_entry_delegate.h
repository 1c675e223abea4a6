#pragma once

#include <QStyledItemDelegate>

// Draws an entry whose file is missing greyed, as a disabled item is drawn.
class MissingEntryDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
