#pragma once

#include <QListView>
#include <QString>
#include <cstdint>
#include <vector>

namespace corvanta {

class KeyedLines;

// A single-selection list box of many lines, each carrying a key: the lines are one
// KeyedLines model, so that a million of them are put in at once rather than one item a
// line. It offers what the windows use of a list box: the count, the current row (-1 for
// none), setting it (which selects that row alone), and a signal whenever the current row
// changes, whether the user or the program changed it.
class KeyedList : public QListView {
    Q_OBJECT

  public:
    explicit KeyedList(QWidget* parent = nullptr);

    // Replaces every line (see KeyedLines: each shows its two parts joined by a blank);
    // afterwards no row is current and nothing is selected. Emits currentRowChanged(-1)
    // when a row was current.
    void setLines(std::vector<QString> firsts, std::vector<QString> seconds,
                  std::vector<std::int64_t> keys);
    int count() const;
    int currentRow() const;
    // -1, or a row outside the list, leaves no row current and none selected.
    void setCurrentRow(int row);
    // The text and key of `row`, which must be a row of the list.
    QString text(int row) const;
    std::int64_t key(int row) const;
    // The first row carrying `key`, or -1.
    int rowOfKey(std::int64_t key) const;

  signals:
    void currentRowChanged(int row);

  private:
    KeyedLines* lines_;
};

}  // namespace corvanta
