#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <vector>

namespace corvanta {

// Lines of text each carrying a 64-bit key as its item data (Qt::UserRole), given whole at
// once: a list or drop-down of many rows is filled in one step instead of one insertion
// a line. Read-only; removing rows is allowed, so that a combo box's clear() still works.
class KeyedLines : public QAbstractListModel {
  public:
    KeyedLines(std::vector<QString> texts, std::vector<std::int64_t> keys, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  private:
    std::vector<QString> texts_;
    std::vector<std::int64_t> keys_;
};

}  // namespace corvanta
