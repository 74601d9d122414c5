#include "widgets/keyed_lines.h"

namespace corvanta {

KeyedLines::KeyedLines(std::vector<QString> texts, std::vector<std::int64_t> keys, QObject* parent)
    : QAbstractListModel(parent), texts_(std::move(texts)), keys_(std::move(keys)) {
    keys_.resize(texts_.size());
}

int KeyedLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

QVariant KeyedLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return texts_[row];
    if (role == Qt::UserRole)
        return static_cast<qlonglong>(keys_[row]);
    return {};
}

bool KeyedLines::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 0 || row + count > rowCount())
        return false;
    if (count == 0)
        return true;
    beginRemoveRows(parent, row, row + count - 1);
    texts_.erase(texts_.begin() + row, texts_.begin() + row + count);
    keys_.erase(keys_.begin() + row, keys_.begin() + row + count);
    endRemoveRows();
    return true;
}

}  // namespace corvanta
