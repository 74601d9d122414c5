#include "widgets/text_lines.h"

#include <QPlainTextEdit>
#include <QVariant>

namespace corvanta {

namespace {

constexpr char kStored[] = "corvantaStoredText";
constexpr char kShown[] = "corvantaShownText";

}  // namespace

void showStoredText(QPlainTextEdit* box, const QString& stored) {
    box->setPlainText(toBoxText(stored));
    box->setProperty(kStored, stored);
    box->setProperty(kShown, box->toPlainText());
}

std::optional<QString> untouchedStoredText(const QPlainTextEdit* box) {
    const QVariant stored = box->property(kStored);
    if (stored.isValid() && box->property(kShown).toString() == box->toPlainText())
        return stored.toString();
    return std::nullopt;
}

QString textToStore(const QPlainTextEdit* box) {
    return untouchedStoredText(box).value_or(toStoredText(box->toPlainText()));
}

}  // namespace corvanta
