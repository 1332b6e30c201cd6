#include "fields/widgets/entry/entry_history.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace vx {

EntryHistory::EntryHistory(QLineEdit *edit) : QObject(edit), m_edit(edit), m_last(current()) {
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textChanged, this, &EntryHistory::noteTextChanged);
  // QLineEdit reports the caret and the selection after the text, so while
  // an edit's textChanged is out, m_last still holds where it started.
  connect(edit, &QLineEdit::cursorPositionChanged, this, &EntryHistory::noteSelection);
  connect(edit, &QLineEdit::selectionChanged, this, &EntryHistory::noteSelection);
}

bool EntryHistory::canUndo() const { return m_edit->isUndoAvailable() || m_before.has_value(); }

bool EntryHistory::canRedo() const { return m_edit->isRedoAvailable() || m_after.has_value(); }

void EntryHistory::undo() {
  if (m_edit->isUndoAvailable()) {
    m_edit->undo();
    return;
  }
  if (!m_before) return;
  const State here = current();
  rewrite(*std::exchange(m_before, std::nullopt));
  m_after = here;
}

void EntryHistory::redo() {
  if (m_edit->isRedoAvailable()) {
    m_edit->redo();
    return;
  }
  if (!m_after) return;
  const State here = current();
  rewrite(*std::exchange(m_after, std::nullopt));
  m_before = here;
}

void EntryHistory::paste(QClipboard::Mode mode) {
  const QString clip = QGuiApplication::clipboard()->text(mode);
  const int selected = m_edit->selectionLength();
  if (clip.isEmpty() && selected == 0) return;
  if (selected + clip.size() <= kLargeEdit) {
    if (mode == QClipboard::Clipboard)
      m_edit->paste();
    else
      m_edit->insert(clip);
    return;
  }
  replaceAsOneStep(clip);
}

void EntryHistory::insert(const QString &text) {
  if (m_edit->selectionLength() + text.size() <= kLargeEdit)
    m_edit->insert(text);
  else
    replaceAsOneStep(text);
}

void EntryHistory::replaceAsOneStep(const QString &insertion) {
  const State before = current();
  const int selected = m_edit->selectionLength();
  const int start = selected > 0 ? m_edit->selectionStart() : m_edit->cursorPosition();
  QString text = before.text;
  text.remove(start, selected);
  // What does not fit is cut from the end of the inserted text, as QLineEdit
  // does, not from the text after it.
  const qsizetype room = std::max<qsizetype>(0, m_edit->maxLength() - text.size());
  const int inserted = static_cast<int>(std::min(room, insertion.size()));
  text.insert(start, QStringView(insertion).left(inserted));
  rewrite({text, start + inserted, -1, 0});
  m_before = before;
  m_after.reset();
}

bool EntryHistory::eraseLongSelection(const QKeyEvent *key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const bool cut = key->matches(QKeySequence::Cut);
  const bool erases = cut || (mods == Qt::NoModifier &&
                              (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete));
  if (!erases || m_edit->selectionLength() <= kLargeEdit) return false;
  if (cut) m_edit->copy();
  replaceAsOneStep({});
  return true;
}

void EntryHistory::forget() {
  m_before.reset();
  m_after.reset();
  m_recorded = 0;
  m_last = current();
}

bool EntryHistory::eventFilter(QObject *watched, QEvent *event) {
  // The type first: the filter also sees the events of the edit's last
  // moments (the focus leaving as ~QWidget runs), when it is no QLineEdit
  // any more.
  const QEvent::Type type = event->type();
  if (watched != m_edit ||
      (type != QEvent::KeyPress && type != QEvent::MouseButtonRelease &&
       type != QEvent::ContextMenu) ||
      m_edit->isReadOnly())
    return false;
  switch (type) {
    case QEvent::KeyPress: {
      const auto *key = static_cast<QKeyEvent *>(event);
      if (key->matches(QKeySequence::Undo))
        undo();
      else if (key->matches(QKeySequence::Redo))
        redo();
      else if (key->matches(QKeySequence::Paste))
        paste();
      else if (!eraseLongSelection(key))
        return false;
      event->accept();
      return true;
    }
    case QEvent::MouseButtonRelease:
      // The X selection, pasted where the middle button was pressed.
      if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton ||
          !QGuiApplication::clipboard()->supportsSelection())
        return false;
      m_edit->deselect();
      paste(QClipboard::Selection);
      return true;
    case QEvent::ContextMenu:
      if (m_edit->contextMenuPolicy() != Qt::DefaultContextMenu) return false;
      showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
      return true;
    default: return false;
  }
}

namespace {

// Which entry of QLineEdit's standard menu an action is. Qt names them only
// from 6.5 on; before, the caption tells, translated as Qt translates it
// and followed by the shortcut.
bool isMenuEntry(const QAction *action, const char *name, const char *caption) {
  return action->objectName() == QLatin1String(name) ||
         action->text().startsWith(QLineEdit::tr(caption));
}

}  // namespace

void EntryHistory::showContextMenu(const QPoint &globalPos) {
  // QLineEdit's own menu, with the three entries that touch the history
  // turned to this object.
  QMenu *menu = m_edit->createStandardContextMenu();
  const auto retarget = [this](QAction *action, auto handler) {
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, handler);
  };
  for (QAction *action : menu->actions()) {
    if (isMenuEntry(action, "edit-undo", "&Undo")) {
      retarget(action, [this] { undo(); });
      action->setEnabled(canUndo());
    } else if (isMenuEntry(action, "edit-redo", "&Redo")) {
      retarget(action, [this] { redo(); });
      action->setEnabled(canRedo());
    } else if (isMenuEntry(action, "edit-paste", "&Paste")) {
      retarget(action, [this] { paste(); });
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

EntryHistory::State EntryHistory::current() const {
  return {m_edit->text(), m_edit->cursorPosition(), m_edit->selectionStart(),
          m_edit->selectionLength()};
}

void EntryHistory::rewrite(const State &state) {
  m_rewriting = true;
  m_edit->setText(state.text);
  if (state.selectionLength <= 0)
    m_edit->setCursorPosition(state.cursor);
  else if (state.cursor == state.selectionStart)  // selected leftwards
    m_edit->setSelection(state.selectionStart + state.selectionLength, -state.selectionLength);
  else
    m_edit->setSelection(state.selectionStart, state.selectionLength);
  m_edit->setModified(true);
  m_rewriting = false;
  m_recorded = 0;
  m_last = current();
}

void EntryHistory::noteTextChanged(const QString &text) {
  if (!m_rewriting) {
    if (!m_edit->isUndoAvailable() && !m_edit->isRedoAvailable()) {
      // setText() by the program: nothing before it can be undone.
      m_before.reset();
      m_after.reset();
      m_recorded = 0;
    } else if (!m_edit->isRedoAvailable()) {
      // An edit (an undo step leaves the record as it was). It added about
      // one entry for each character it removed or inserted.
      m_after.reset();
      const int removed =
          std::max(m_last.selectionLength, static_cast<int>(m_last.text.size() - text.size()));
      const int inserted = static_cast<int>(text.size() - m_last.text.size()) + removed;
      const int entries = removed + inserted + 2;
      m_recorded += entries;
      if (entries > kLargeEdit || m_recorded > kRecordLimit) {
        const State before = m_last;
        rewrite(current());
        m_before = before;
        return;
      }
    }
  }
  m_last.text = text;
}

void EntryHistory::noteSelection() {
  m_last.cursor = m_edit->cursorPosition();
  m_last.selectionStart = m_edit->selectionStart();
  m_last.selectionLength = m_edit->selectionLength();
}

}  // namespace vx
