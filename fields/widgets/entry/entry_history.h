#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace vx {

// Keeps the undo history of a line edit within bounds.
//
// QLineEdit records each character that an edit inserts or removes, two
// entries a character for a paste over a selection, and only setText()
// empties that record, without giving back the memory it had reached. A
// text pasted over another again and again thus grows the process by a
// megabyte a paste at the field's 32,767 characters; and a long text typed
// over or erased once leaves its field holding the record's memory for good,
// about 20 bytes for every character it removed.
//
// So a large edit stays out of that record. A paste of more than kLargeEdit
// characters, counting those of the selection it replaces, sets the text as a
// whole, and this object keeps the text from before it as one step back;
// Undo returns to it once QLineEdit has undone whatever was typed since, and
// Redo goes forward again. Typing (through insert()), erasing or cutting a
// selection of more than kLargeEdit characters goes the same way. Any other
// edit too large for the record (a drop, an input method's text, a word or
// line erased by its shortcut), and ordinary typing once the record holds
// more than kRecordLimit entries, is handled alike after the fact: the record
// is emptied and the text from before that edit kept as the step back. Small
// edits keep QLineEdit's own undo as it is.
//
// Undo, Redo and Paste are taken from the keyboard, the middle mouse button
// and the context menu, Backspace, Delete and Cut over a long selection from
// the keyboard; a write by the program (setText) leaves nothing to undo, as
// in QLineEdit.
class EntryHistory : public QObject {
public:
  static constexpr int kLargeEdit = 256;
  static constexpr int kRecordLimit = 4096;

  explicit EntryHistory(QLineEdit *edit);

  bool canUndo() const;
  bool canRedo() const;
  void undo();
  void redo();
  void paste(QClipboard::Mode mode = QClipboard::Clipboard);
  // Types the text over the selection or at the caret, as QLineEdit::insert.
  void insert(const QString &text);

  // The program rewrote the text with its change notification held back.
  void forget();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  struct State {
    QString text;
    int cursor = 0;
    int selectionStart = -1;
    int selectionLength = 0;
  };

  State current() const;
  // Puts the text in place of the selection, or at the caret, as one step.
  void replaceAsOneStep(const QString &text);
  // Erases a long selection as one step when the key (Backspace, Delete,
  // Cut) would erase it.
  bool eraseLongSelection(const QKeyEvent *key);
  // Sets the text as a whole, leaving QLineEdit's record empty.
  void rewrite(const State &state);
  void noteTextChanged(const QString &text);
  void noteSelection();
  void showContextMenu(const QPoint &globalPos);

  QLineEdit *m_edit;
  // The text, caret and selection as of the last change: what an edit that
  // is just being reported started from.
  State m_last;
  int m_recorded = 0;  // about how many entries QLineEdit's record holds
  std::optional<State> m_before, m_after;
  bool m_rewriting = false;
};

}  // namespace vx
