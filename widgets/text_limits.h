#pragma once

#include <QPlainTextEdit>
#include <QString>

class QKeyEvent;
class QLineEdit;

namespace corvanta {

// Length limits of text boxes, applied to what the user types, pastes or drops, never to
// a text the program puts in a box: a longer stored text is shown whole and kept. A
// limit counts characters (code points, so a character outside the basic plane counts
// once) and never cuts inside one: a key whose character does not fit is refused, the
// text and the cursor staying as they were; a paste keeps the whole characters that fit.
// A text already longer than its limit may be shortened or have characters replaced,
// never grow.

int characterCount(const QString& text);

// The start of `text` made of at most `room` characters, cut between characters as the
// user sees them (a letter keeps its accents).
QString wholeCharacters(const QString& text, int room);

// How many characters may replace `selected` of the `current` characters of a box
// limited to `limit`.
int roomFor(int limit, int current, int selected);

// The text `key` types into a box, or an empty text for a key that types nothing.
QString typedText(const QKeyEvent& key, bool multiLine);

// Limits what is typed in `box` to `limit` characters; calling it again changes the limit.
void limitTyping(QLineEdit* box, int limit);
int typingLimit(const QLineEdit* box);

// A multi-line box limited to `limit` characters (a line break counts as one).
class LimitedTextEdit : public QPlainTextEdit {
  public:
    explicit LimitedTextEdit(int limit, QWidget* parent = nullptr);
    int limit() const { return limit_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    int room() const;
    int limit_;
};

}  // namespace corvanta
