#include "widgets/keyed_lines.h"

#include <algorithm>

namespace corvanta {

KeyedLines::KeyedLines(QObject* parent) : QAbstractListModel(parent) {}

KeyedLines::KeyedLines(std::vector<QString> firsts, std::vector<QString> seconds,
                       std::vector<std::int64_t> keys, QObject* parent)
    : QAbstractListModel(parent),
      firsts_(std::move(firsts)),
      seconds_(std::move(seconds)),
      keys_(std::move(keys)) {}

void KeyedLines::setLines(std::vector<QString> firsts, std::vector<QString> seconds,
                          std::vector<std::int64_t> keys) {
    beginResetModel();
    firsts_ = std::move(firsts);
    seconds_ = std::move(seconds);
    keys_ = std::move(keys);
    byKey_.clear();
    lookups_ = 0;
    endResetModel();
}

int KeyedLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(keys_.size());
}

QVariant KeyedLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        QString line;
        line.reserve(firsts_[row].size() + 1 + seconds_[row].size());
        return line.append(firsts_[row]).append(u' ').append(seconds_[row]);
    }
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
    firsts_.erase(firsts_.begin() + row, firsts_.begin() + row + count);
    seconds_.erase(seconds_.begin() + row, seconds_.begin() + row + count);
    keys_.erase(keys_.begin() + row, keys_.begin() + row + count);
    byKey_.clear();
    lookups_ = 0;
    endRemoveRows();
    return true;
}

int KeyedLines::rowOfKey(std::int64_t key) const {
    if (lookups_++ == 0) {
        const auto found = std::find(keys_.begin(), keys_.end(), key);
        return found == keys_.end() ? -1 : static_cast<int>(found - keys_.begin());
    }
    if (byKey_.size() != keys_.size()) {
        byKey_.clear();
        lookups_ = 0;
        byKey_.reserve(keys_.size());
        for (std::size_t row = 0; row < keys_.size(); ++row)
            byKey_.emplace_back(keys_[row], static_cast<int>(row));
        std::sort(byKey_.begin(), byKey_.end());
    }
    const auto first = std::lower_bound(byKey_.begin(), byKey_.end(), std::make_pair(key, 0));
    return first != byKey_.end() && first->first == key ? first->second : -1;
}

}  // namespace corvanta
