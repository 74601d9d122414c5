// The keyed list against the list widget it stands in for, and the keyed lines' look-up.
#include "widgets/keyed_list.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <limits>

#include "tests/support/application_test.h"
#include "widgets/keyed_lines.h"

namespace corvanta::test {
namespace {

// What a window can see of a list: its lines, its current row, the selected rows and every
// row signal so far.
struct Seen {
    QStringList lines;
    int current = -1;
    std::vector<int> selected, signals_;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << seen.lines.join(u',').toStdString() << " current " << seen.current << " selected";
    for (int row : seen.selected)
        *out << ' ' << row;
    *out << " signals";
    for (int row : seen.signals_)
        *out << ' ' << row;
}

template <class List>
Seen look(List& list, const std::vector<int>& signals_) {
    Seen seen{{}, list.currentRow(), {}, signals_};
    for (int row = 0; row < list.count(); ++row) {
        seen.lines << list.model()->index(row, 0).data().toString();
        if (list.selectionModel()->isRowSelected(row))
            seen.selected.push_back(row);
    }
    return seen;
}

void click(QAbstractItemView& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(row, 0)).center());
}

TEST(KeyedList, DoesWhatTheListWidgetDidForTheWindows) {
    Application();
    QListWidget widget;
    KeyedList keyed;
    std::vector<int> widget_signals, keyed_signals;
    QObject::connect(&widget, &QListWidget::currentRowChanged,
                     [&](int row) { widget_signals.push_back(row); });
    QObject::connect(&keyed, &KeyedList::currentRowChanged,
                     [&](int row) { keyed_signals.push_back(row); });
    for (QAbstractItemView* list :
         {static_cast<QAbstractItemView*>(&widget), static_cast<QAbstractItemView*>(&keyed)}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->resize(160, 200);
        list->show();
    }
    // Lines of a name and a given name: the list widget gets them joined by a blank.
    const auto fill = [&](std::initializer_list<std::pair<const char*, const char*>> lines) {
        widget.clear();
        std::vector<QString> names, given_names;
        std::vector<std::int64_t> keys;
        for (const auto& [name, given_name] : lines) {
            widget.addItem(QString::fromUtf8(name) + u' ' + QString::fromUtf8(given_name));
            names.push_back(QString::fromUtf8(name));
            given_names.push_back(QString::fromUtf8(given_name));
            keys.push_back(100 + static_cast<std::int64_t>(keys.size()));
        }
        keyed.setLines(std::move(names), std::move(given_names), std::move(keys));
    };
    const struct {
        const char* step;
        std::function<void(QListWidget&, KeyedList&)> run;
    } steps[] = {
        {"filled",
         [&](auto&, auto&) {
             fill({{"Ávila", "Ana"}, {"DUPONT", "Jean-Édouard"}, {"Martin", "Zoé"}});
         }},
        {"row 1", [](auto& w, auto& k) { w.setCurrentRow(1), k.setCurrentRow(1); }},
        {"row 1 again", [](auto& w, auto& k) { w.setCurrentRow(1), k.setCurrentRow(1); }},
        {"no row", [](auto& w, auto& k) { w.setCurrentRow(-1), k.setCurrentRow(-1); }},
        {"row 2", [](auto& w, auto& k) { w.setCurrentRow(2), k.setCurrentRow(2); }},
        {"beyond", [](auto& w, auto& k) { w.setCurrentRow(7), k.setCurrentRow(7); }},
        {"row 0", [](auto& w, auto& k) { w.setCurrentRow(0), k.setCurrentRow(0); }},
        {"clicked", [](auto& w, auto& k) { click(w, 2), click(k, 2); }},
        {"refilled",
         [&](auto&, auto&) {
             fill({{"O'Brien", "Ann"}, {"Zoé", ""}});
         }},
        {"clicked", [](auto& w, auto& k) { click(w, 1), click(k, 1); }},
        {"emptied", [&](auto&, auto&) { fill({}); }},
    };
    for (const auto& step : steps) {
        step.run(widget, keyed);
        EXPECT_EQ(look(keyed, keyed_signals), look(widget, widget_signals)) << step.step;
    }
}

TEST(KeyedLines, FindsTheFirstRowOfAKeyBeforeAndAfterSortingThem) {
    Application();
    const std::vector<std::int64_t> keys{
        5, 3, 5, 9, -1, 3, std::numeric_limits<std::int64_t>::max()};
    KeyedLines lines({"a", "b", "c", "d", "e", "f", "g"}, {"", "", "", "", "", "", ""}, keys,
                     nullptr);
    std::vector<std::int64_t> remaining = keys;
    const auto expected = [&](std::int64_t key) {
        const auto found = std::find(remaining.begin(), remaining.end(), key);
        return found == remaining.end() ? -1 : static_cast<int>(found - remaining.begin());
    };
    for (int round = 0; round < 2; ++round) {
        // The first look-up reads the keys in turn, the others search them sorted.
        for (const std::int64_t key : {3L, 5L, 9L, -1L, 4L, 0L, keys.back()}) {
            EXPECT_EQ(lines.rowOfKey(key), expected(key)) << key << " round " << round;
            EXPECT_EQ(lines.rowOfKey(key), expected(key)) << key << " round " << round;
        }
        ASSERT_TRUE(lines.removeRows(0, 2));
        remaining.erase(remaining.begin(), remaining.begin() + 2);
        EXPECT_EQ(lines.key(0), remaining.front());
    }
}

}  // namespace
}  // namespace corvanta::test
