#include "widgets/text_limits.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTextBoundaryFinder>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <memory>

namespace corvanta {

int characterCount(const QString& text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return count;
}

QString wholeCharacters(const QString& text, int room) {
    if (room <= 0)
        return {};
    if (characterCount(text) <= room)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;
    int count = 0;
    for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary()) {
        count += characterCount(text.mid(kept, next - kept));
        if (count > room)
            break;
        kept = next;
    }
    return text.left(kept);
}

int roomFor(int limit, int current, int selected) {
    return std::max(limit, current) - (current - selected);
}

QString typedText(const QKeyEvent& key, bool multiLine) {
    if (multiLine && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter))
        return QStringLiteral("\n");
    const QString text = key.text();
    if (text.isEmpty())
        return {};
    // The toolkit's own rule for a key that types: control combinations type nothing.
    const QChar first = text.front();
    if (first.category() == QChar::Other_Format)
        return text;
    if (key.modifiers() == Qt::ControlModifier ||
        key.modifiers() == (Qt::ShiftModifier | Qt::ControlModifier))
        return {};
    const bool pair = first.isHighSurrogate() && text.size() > 1 && text[1].isLowSurrogate();
    return first.isPrint() || first.category() == QChar::Other_PrivateUse || pair ? text
                                                                                  : QString();
}

namespace {

// A one-line box's limit: typed keys are refused before they reach the box; anything else
// that adds text (a paste, a drop, an input method) is cut by the validator, which sees the
// edited text with the cursor after what was added.
class LineLimit final : public QValidator {
  public:
    LineLimit(QLineEdit* box, int limit) : QValidator(box), box_(box), limit_(limit) {
        before_ = box->text();
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString& text) { before_ = text; });
    }
    void setLimit(int limit) { limit_ = limit; }
    int limit() const { return limit_; }

    State validate(QString& text, int& pos) const override {
        // A text the program puts in the box (its edit history then starts afresh) is kept
        // whole, however long.
        if (!box_->isModified())
            return Acceptable;
        const int before = characterCount(before_);
        if (characterCount(text) <= std::max(limit_, before))
            return Acceptable;
        qsizetype head = 0;
        const qsizetype most_head = std::min<qsizetype>(pos, before_.size());
        while (head < most_head && text[head] == before_[head])
            ++head;
        if (head > 0 && text[head - 1].isHighSurrogate())
            --head;
        qsizetype tail = 0;
        const qsizetype most_tail = std::min<qsizetype>(text.size() - pos, before_.size() - head);
        while (tail < most_tail &&
               text[text.size() - 1 - tail] == before_[before_.size() - 1 - tail])
            ++tail;
        if (tail > 0 && text[text.size() - tail].isLowSurrogate())
            --tail;
        const QString added = text.mid(head, text.size() - tail - head);
        const int replaced = characterCount(before_.mid(head, before_.size() - tail - head));
        const QString kept = wholeCharacters(added, roomFor(limit_, before, replaced));
        text = text.left(head) + kept + text.right(tail);
        pos = static_cast<int>(head + kept.size());
        return Acceptable;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress || box_->isReadOnly())
            return false;
        const QString typed = typedText(*static_cast<QKeyEvent*>(event), false);
        if (typed.isEmpty())
            return false;
        const int room =
            roomFor(limit_, characterCount(box_->text()), characterCount(box_->selectedText()));
        return characterCount(typed) > room;  // refused: nothing moves
    }

  private:
    QLineEdit* box_;
    int limit_;
    QString before_;
};

LineLimit* limitOf(const QLineEdit* box) {
    return box->findChild<LineLimit*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

void limitTyping(QLineEdit* box, int limit) {
    if (LineLimit* existing = limitOf(box)) {
        existing->setLimit(limit);
        return;
    }
    // The box's own length limit would cut a stored text and split characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    auto* added = new LineLimit(box, limit);
    box->setValidator(added);
    box->installEventFilter(added);
}

int typingLimit(const QLineEdit* box) {
    const LineLimit* limit = limitOf(box);
    return limit == nullptr ? box->maxLength() : limit->limit();
}

LimitedTextEdit::LimitedTextEdit(int limit, QWidget* parent)
    : QPlainTextEdit(parent), limit_(limit) {}

int LimitedTextEdit::room() const {
    return roomFor(limit_, characterCount(toPlainText()),
                   characterCount(textCursor().selectedText()));
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = isReadOnly() ? QString() : typedText(*event, true);
    if (!typed.isEmpty() && characterCount(typed) > room()) {
        event->accept();  // refused: nothing moves
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString kept = wholeCharacters(event->commitString(), room());
    if (kept == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    const QString text = source->text();
    const QString kept = wholeCharacters(text, room());
    if (kept == text) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const auto cut = std::make_unique<QMimeData>();
    cut->setText(kept);
    QPlainTextEdit::insertFromMimeData(cut.get());
}

}  // namespace corvanta
