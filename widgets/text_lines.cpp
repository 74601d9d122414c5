#include "widgets/text_lines.h"

#include <QPlainTextEdit>
#include <QVariant>

namespace corvanta {

namespace {

constexpr char kStored[] = "corvantaStoredText";
constexpr char kShown[] = "corvantaShownText";

}  // namespace

void showStoredText(QPlainTextEdit* box, const QString& stored) {
    box->setPlainText(Texte_Pour_Boite(stored));
    box->setProperty(kStored, stored);
    box->setProperty(kShown, box->toPlainText());
}

QString textToStore(const QPlainTextEdit* box) {
    const QString shown = box->toPlainText();
    const QVariant stored = box->property(kStored);
    if (stored.isValid() && box->property(kShown).toString() == shown)
        return stored.toString();
    return Texte_Pour_Base(shown);
}

}  // namespace corvanta
