#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/value.h"

class QWidget;

namespace corvanta {

// What a window showed of one stored row, so that a save writes only what the user changed
// since and never writes over what another writer (another copy of the program, the stock
// shell, another window) changed meanwhile.
//
// A field is what the user edits in one place (a box, a check box, a list, a curve choice)
// and the columns it is written to. Once the row is shown, the window notes the stored
// value of every field's columns and the state of every field's controls. At the save it
// writes the fields whose state has changed since, after checking, with the row as stored
// now, that none of their columns was changed elsewhere.
class ShownRow {
  public:
    struct Field {
        QStringList columns;
        // The state of the controls, in a form that compares; for most fields the value
        // written.
        std::function<platform::Value()> state;
        // Puts a state back into the controls.
        std::function<void(const platform::Value&)> restore;
        // Where the cursor goes when the field is disputed.
        QWidget* focus = nullptr;
    };
    // A column's value in the row: as shown, or as stored now.
    using Read = std::function<platform::Value(const QString& column)>;

    // The row is shown through `fields`: `read` gives each column as stored.
    void noteShown(std::vector<Field> fields, const Read& read);
    // No stored row is shown.
    void forget();
    bool isShown() const { return shown_; }
    const Field& field(std::size_t index) const { return fields_.at(index); }

    // The fields whose state differs from the one shown.
    std::vector<std::size_t> changed() const;
    // Of `fields`, those whose columns `now` gives otherwise than they were shown.
    std::vector<std::size_t> changedElsewhere(const std::vector<std::size_t>& fields,
                                              const Read& now) const;

    // The states of `fields` now, kept while the row is shown again.
    struct Kept {
        std::size_t field;
        platform::Value state;
    };
    std::vector<Kept> keep(const std::vector<std::size_t>& fields) const;
    // Puts kept states back, once the row has been shown again through the same fields.
    void restore(const std::vector<Kept>& kept) const;

  private:
    std::vector<Field> fields_;
    std::vector<std::vector<platform::Value>> stored_;  // each field's columns as shown
    std::vector<platform::Value> states_;               // each field's state as shown
    bool shown_ = false;
};

// Of `all`, those not in `some` (both in increasing order or not: a plain search).
std::vector<std::size_t> without(const std::vector<std::size_t>& all,
                                 const std::vector<std::size_t>& some);

}  // namespace corvanta
