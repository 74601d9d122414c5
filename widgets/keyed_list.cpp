#include "widgets/keyed_list.h"

#include <QItemSelectionModel>

#include "widgets/keyed_lines.h"

namespace corvanta {

KeyedList::KeyedList(QWidget* parent) : QListView(parent), lines_(new KeyedLines(this)) {
    setModel(lines_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one line of text: the view measures one, not a million.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
}

void KeyedList::setLines(std::vector<QString> firsts, std::vector<QString> seconds,
                         std::vector<std::int64_t> keys) {
    const bool current = currentRow() >= 0;
    // A reset clears the current row without telling: the signal is sent here.
    lines_->setLines(std::move(firsts), std::move(seconds), std::move(keys));
    if (current)
        emit currentRowChanged(-1);
}

int KeyedList::count() const {
    return lines_->rowCount();
}

int KeyedList::currentRow() const {
    return currentIndex().row();
}

void KeyedList::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(lines_->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

QString KeyedList::text(int row) const {
    return lines_->data(lines_->index(row, 0), Qt::DisplayRole).toString();
}

std::int64_t KeyedList::key(int row) const {
    return lines_->key(row);
}

int KeyedList::rowOfKey(std::int64_t key) const {
    return lines_->rowOfKey(key);
}

}  // namespace corvanta
