#pragma once

#include <QString>
#include <array>

namespace corvanta {

// The interface texts of the running program, addressed by (form 0..10, text 0..200).
// Filled once at start-up from the `Langues` table in the chosen language; every entry
// not provided stays empty. Reading outside the table gives an empty text.
class Libelles {
  public:
    static constexpr int kForms = 11;
    static constexpr int kTexts = 201;

    const QString& operator()(int form, int text) const {
        static const QString empty;
        return inRange(form, text) ? texts_[index(form, text)] : empty;
    }

    // Returns false (and stores nothing) for numbers outside the table.
    bool set(int form, int text, const QString& value) {
        if (!inRange(form, text))
            return false;
        texts_[index(form, text)] = value;
        return true;
    }

    void clear() { texts_.fill(QString()); }

    static bool inRange(int form, int text) {
        return form >= 0 && form < kForms && text >= 0 && text < kTexts;
    }

  private:
    static std::size_t index(int form, int text) {
        return static_cast<std::size_t>(form) * kTexts + static_cast<std::size_t>(text);
    }
    std::array<QString, kForms * kTexts> texts_;
};

}  // namespace corvanta
