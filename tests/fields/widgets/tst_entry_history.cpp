// Undo in an entry field once long texts come in: a long paste, or a long
// selection typed over or erased, is one step back and one forward; typing around it
// is undone as QLineEdit does it; a write by the program leaves nothing to
// undo. Through the keys, the context menu and the field's own limit.
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>

#include "fields/widgets/entry/entry_history.h"
#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"

namespace {

enum class Route { PasteKey, ShiftInsert, ContextMenu };

// Opens the field's context menu as the menu key does, runs `use` on it and
// closes it.
template <typename Use>
void withContextMenu(QWidget *field, Use use) {
  const QPoint inside(5, 5);
  QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, field->mapToGlobal(inside));
  QApplication::sendEvent(field, &event);
  auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
  QVERIFY(menu);
  use(*menu);
  menu->close();
}

// An entry of the standard menu by its caption, as Qt translates it.
QAction *entry(QMenu &menu, const char *caption) {
  for (QAction *action : menu.actions())
    if (action->text().startsWith(QLineEdit::tr(caption))) return action;
  return nullptr;
}

}  // namespace

Q_DECLARE_METATYPE(Route)

class TestEntryHistory : public QObject {
  Q_OBJECT

private slots:
  void init() {
    m_field = std::make_unique<vx::TRxSpinEdit>(m_regional);
    m_field->setValueType(vx::TValueType::vtFloat);
    m_field->setValue(7);
    m_field->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_field.get()));
    QApplication::clipboard()->setText(m_long);
  }

  void cleanup() {
    m_field.reset();
    QApplication::clipboard()->clear();
  }

  void typing_is_undone_and_redone() {
    m_field->selectAll();
    QTest::keyClicks(m_field.get(), QStringLiteral("12"));
    QCOMPARE(m_field->text(), QStringLiteral("12"));
    QTest::keyClick(m_field.get(), Qt::Key_Backspace);
    QCOMPARE(m_field->text(), QStringLiteral("1"));
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("12"));
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));
    redo();
    QCOMPARE(m_field->text(), QStringLiteral("12"));
  }

  void long_paste_is_one_step_data() {
    QTest::addColumn<Route>("route");
    QTest::newRow("paste key") << Route::PasteKey;
    QTest::newRow("Shift+Insert") << Route::ShiftInsert;
    QTest::newRow("context menu") << Route::ContextMenu;
  }
  void long_paste_is_one_step() {
    QFETCH(Route, route);
    m_field->selectAll();
    switch (route) {
      case Route::PasteKey: QTest::keySequence(m_field.get(), QKeySequence::Paste); break;
      case Route::ShiftInsert:
        QTest::keyClick(m_field.get(), Qt::Key_Insert, Qt::ShiftModifier);
        break;
      case Route::ContextMenu:
        withContextMenu(m_field.get(), [](QMenu &menu) {
          QAction *paste = entry(menu, "&Paste");
          QVERIFY(paste);
          QVERIFY(paste->isEnabled());
          paste->trigger();
        });
        break;
    }
    QCOMPARE(m_field->text(), m_long);
    QCOMPARE(m_field->cursorPosition(), m_long.size());
    QVERIFY(m_field->isModified());
    // Not a character of it went into QLineEdit's own record.
    QVERIFY(!m_field->isUndoAvailable());

    // Back to the text it replaced, selected as it was; no further.
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));
    QCOMPARE(m_field->selectedText(), QStringLiteral("7.00"));
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));
    redo();
    QCOMPARE(m_field->text(), m_long);
    redo();
    QCOMPARE(m_field->text(), m_long);
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));
  }

  void typing_after_long_paste_is_undone_first() {
    m_field->setCursorPosition(1);  // "7|.00"
    QTest::keySequence(m_field.get(), QKeySequence::Paste);
    QTest::keyClicks(m_field.get(), QStringLiteral("55"));
    QCOMPARE(m_field->text(), u'7' + m_long + QStringLiteral("55.00"));
    undo();
    QCOMPARE(m_field->text(), u'7' + m_long + QStringLiteral(".00"));
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));
    QCOMPARE(m_field->cursorPosition(), 1);
    redo();
    QCOMPARE(m_field->text(), u'7' + m_long + QStringLiteral(".00"));
  }

  void long_paste_cut_at_field_limit_keeps_following_text() {
    // The field takes 32,767 characters; what does not fit is cut from the
    // pasted text, as QLineEdit cuts it, not from the text after the caret.
    QApplication::clipboard()->setText(QString(100'000, u'3'));
    m_field->setText(QStringLiteral("12"));
    m_field->setCursorPosition(1);
    QTest::keySequence(m_field.get(), QKeySequence::Paste);
    QCOMPARE(m_field->text().size(), m_field->maxLength());
    QCOMPARE(m_field->text(), u'1' + QString(m_field->maxLength() - 2, u'3') + u'2');
    undo();
    QCOMPARE(m_field->text(), QStringLiteral("12"));
  }

  void long_selection_replaced_is_one_step_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("left");
    QTest::newRow("typed over") << QKeySequence(Qt::Key_5) << QStringLiteral("5");
    QTest::newRow("Backspace") << QKeySequence(Qt::Key_Backspace) << QString();
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << QString();
    QTest::newRow("cut") << QKeySequence(QKeySequence::Cut) << QString();
  }
  void long_selection_replaced_is_one_step() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, left);
    QApplication::clipboard()->clear();
    m_field->setText(m_long);
    m_field->selectAll();
    QTest::keySequence(m_field.get(), keys);
    QCOMPARE(m_field->text(), left);
    // The erased characters never entered QLineEdit's own record: it keeps
    // the memory it once reached.
    QVERIFY(!m_field->isUndoAvailable());
    if (keys == QKeySequence(QKeySequence::Cut))
      QCOMPARE(QApplication::clipboard()->text(), m_long);
    QTest::keyClicks(m_field.get(), QStringLiteral("6"));
    undo();  // the typing, as QLineEdit groups it
    QCOMPARE(m_field->text(), left);
    undo();
    QCOMPARE(m_field->text(), m_long);
    QCOMPARE(m_field->selectedText(), m_long);
    redo();
    QCOMPARE(m_field->text(), left);
  }

  void write_by_program_leaves_nothing_to_undo_data() {
    QTest::addColumn<int>("write");
    QTest::newRow("Value written") << 0;
    QTest::newRow("stepped") << 1;
    QTest::newRow("text set") << 2;
  }
  void write_by_program_leaves_nothing_to_undo() {
    QFETCH(int, write);
    m_field->selectAll();
    QTest::keySequence(m_field.get(), QKeySequence::Paste);
    QCOMPARE(m_field->text(), m_long);
    switch (write) {
      case 0: m_field->setValue(3); break;
      case 1: m_field->step(1); break;
      default: m_field->setText(QStringLiteral("3.00")); break;
    }
    const QString written = m_field->text();
    QVERIFY(written != m_long);
    undo();
    QCOMPARE(m_field->text(), written);
  }

  void menu_offers_undo_and_redo_of_long_paste() {
    withContextMenu(m_field.get(), [](QMenu &menu) {
      QVERIFY(entry(menu, "&Undo"));
      QVERIFY(!entry(menu, "&Undo")->isEnabled());
    });
    m_field->selectAll();
    QTest::keySequence(m_field.get(), QKeySequence::Paste);

    withContextMenu(m_field.get(), [](QMenu &menu) {
      QVERIFY(entry(menu, "&Undo")->isEnabled());
      QVERIFY(!entry(menu, "&Redo")->isEnabled());
      entry(menu, "&Undo")->trigger();
    });
    QCOMPARE(m_field->text(), QStringLiteral("7.00"));

    withContextMenu(m_field.get(), [](QMenu &menu) {
      QVERIFY(entry(menu, "&Redo")->isEnabled());
      entry(menu, "&Redo")->trigger();
    });
    QCOMPARE(m_field->text(), m_long);
  }

private:
  void undo() { QTest::keySequence(m_field.get(), QKeySequence::Undo); }
  void redo() { QTest::keySequence(m_field.get(), QKeySequence::Redo); }

  vx::RegionalSettings m_regional{u'.', u','};
  std::unique_ptr<vx::TRxSpinEdit> m_field;
  const QString m_long = QString(vx::EntryHistory::kLargeEdit * 4, u'9');
};

QTEST_MAIN(TestEntryHistory)
#include "tst_entry_history.moc"
