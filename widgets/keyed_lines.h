#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace corvanta {

// Lines of text each carrying a 64-bit key as its item data (Qt::UserRole), given whole at
// once: a list or drop-down of many rows is filled in one step instead of one insertion
// a line. A line shows two parts joined by a blank (a patient's name and given name): they
// are kept apart and joined only when the line is asked for, so that a million lines are
// put in without making a text of their own. The three vectors are as long as one another.
// Read-only; removing rows is allowed, so that a combo box's clear() still works.
class KeyedLines : public QAbstractListModel {
  public:
    explicit KeyedLines(QObject* parent);
    KeyedLines(std::vector<QString> firsts, std::vector<QString> seconds,
               std::vector<std::int64_t> keys, QObject* parent);

    // Replaces every line in one model reset (views keep no current row).
    void setLines(std::vector<QString> firsts, std::vector<QString> seconds,
                  std::vector<std::int64_t> keys);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // The key of `row`, which must be a row of the model.
    std::int64_t key(int row) const { return keys_[static_cast<std::size_t>(row)]; }
    // The first row carrying `key`, or -1. The first look-up after a change reads the keys
    // in turn; the second sorts them once, for binary searches from then on.
    int rowOfKey(std::int64_t key) const;

  private:
    std::vector<QString> firsts_, seconds_;
    std::vector<std::int64_t> keys_;
    // Look-ups since the last change, and (from the second) each key with its row, sorted.
    mutable int lookups_ = 0;
    mutable std::vector<std::pair<std::int64_t, int>> byKey_;
};

}  // namespace corvanta
