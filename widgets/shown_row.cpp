#include "widgets/shown_row.h"

#include <algorithm>

namespace corvanta {

void ShownRow::noteShown(std::vector<Field> fields, const Read& read) {
    fields_ = std::move(fields);
    stored_.clear();
    states_.clear();
    for (const Field& field : fields_) {
        std::vector<platform::Value> values;
        for (const QString& column : field.columns)
            values.push_back(read(column));
        stored_.push_back(std::move(values));
        states_.push_back(field.state());
    }
    shown_ = true;
}

void ShownRow::forget() {
    shown_ = false;
    stored_.clear();
    states_.clear();
}

std::vector<std::size_t> ShownRow::changed() const {
    std::vector<std::size_t> fields;
    if (!shown_)
        return fields;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].state() != states_[i])
            fields.push_back(i);
    }
    return fields;
}

std::vector<std::size_t> ShownRow::changedElsewhere(const std::vector<std::size_t>& fields,
                                                    const Read& now) const {
    std::vector<std::size_t> disputed;
    for (const std::size_t i : fields) {
        const QStringList& columns = fields_.at(i).columns;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (now(columns[c]) != stored_[i][static_cast<std::size_t>(c)]) {
                disputed.push_back(i);
                break;
            }
        }
    }
    return disputed;
}

std::vector<ShownRow::Kept> ShownRow::keep(const std::vector<std::size_t>& fields) const {
    std::vector<Kept> kept;
    for (const std::size_t i : fields)
        kept.push_back({i, fields_.at(i).state()});
    return kept;
}

void ShownRow::restore(const std::vector<Kept>& kept) const {
    for (const Kept& k : kept)
        fields_.at(k.field).restore(k.state);
}

std::vector<std::size_t> without(const std::vector<std::size_t>& all,
                                 const std::vector<std::size_t>& some) {
    std::vector<std::size_t> rest;
    for (const std::size_t i : all) {
        if (std::find(some.begin(), some.end(), i) == some.end())
            rest.push_back(i);
    }
    return rest;
}

}  // namespace corvanta
