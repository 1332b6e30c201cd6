// Memory that use alone must not make grow: long texts pasted over and over
// into an entry field, endless typing and erasing, and thousands of boxes
// answered. Each is warmed up first, so that the allocator's pools and Qt's
// caches exist, and then must leave the resident set and the heap in use
// where they were.

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include "core/calculation_ports.h"
#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/memory_probe.h"
#include "ui/alerts/message_box_alerts.h"
#include "ui/app/startup.h"

namespace {

// Where memory is not measured (see memory_probe.h) the runs stay, shorter,
// for what the sanitizers check.
constexpr int kRunScale = kMemoryMeasured ? 1 : 10;

constexpr long kResidentSlackKb = 4 * 1024;
constexpr long kHeapSlackBytes = 1024 * 1024;

QString grownPastSlack(const MemoryMark &mark) {
  return mark.exceeded(kResidentSlackKb, kHeapSlackBytes);
}

// Dialog buttons with icons, as the desktop styles give them.
class IconButtonStyle : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                QStyleHintReturn *returnData) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Answers every message box with Enter once it is up and drawn, and
// remembers whether any OK button it saw carried an icon.
class BoxAnswerer : public QObject {
public:
  BoxAnswerer() {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] {
      auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      if (!box || !box->isActiveWindow()) return;
      if (QAbstractButton *ok = box->button(QMessageBox::Ok); ok && !ok->icon().isNull())
        okWithIcon = true;
      box->repaint();
      QTest::keyClick(box, Qt::Key_Return);
      ++answered;
    });
    m_timer.start();
  }

  int answered = 0;
  bool okWithIcon = false;

private:
  QTimer m_timer;
};

QtMessageHandler previousHandler = nullptr;

// The offscreen platform says at every box that it cannot pass size hints
// on; thousands of those lines would bury anything that matters.
void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext &context,
                          const QString &message) {
  if (type == QtWarningMsg && message == u"This plugin does not support propagateSizeHints()")
    return;
  previousHandler(type, context, message);
}

}  // namespace

class TestBoundedMemory : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    previousHandler = qInstallMessageHandler(dropSizeHintWarnings);
    QApplication::setStyle(new IconButtonStyle);
  }

  // First, while no earlier test has left large holes in the heap that a
  // large block could be served from.
  void large_blocks_are_given_back() {
    if (!kMemoryMeasured) QSKIP("the sanitizer's allocator has its own rules");
    // Left to itself, glibc would serve the blocks of long texts from the heap
    // after the first large one freed, and the holes they leave stay resident.
    // (Through a volatile pointer: the compiler drops a block nobody uses.)
    keepLargeBlocksMapped();
    static void *volatile block = nullptr;
    block = malloc(8 * 1024 * 1024);
    free(block);
    const long mappedBefore = static_cast<long>(mallinfo2().hblkhd);
    block = malloc(512 * 1024);
    const long mappedWith = static_cast<long>(mallinfo2().hblkhd);
    free(block);
    QCOMPARE_GE(mappedWith - mappedBefore, 512L * 1024);
    QCOMPARE(static_cast<long>(mallinfo2().hblkhd), mappedBefore);
  }

  void repeated_long_pastes_give_memory_back() {
    vx::TRxSpinEdit field(m_regional);
    field.setValueType(vx::TValueType::vtFloat);
    QClipboard *clipboard = QApplication::clipboard();
    const auto restore = qScopeGuard([clipboard] { clipboard->clear(); });
    // A clipboard far longer than the field takes: it keeps 32,767 characters.
    clipboard->setText(QString(100'000, u'7'));
    const auto pasteOverAll = [&field] {
      QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    };

    for (int i = 0; i < 20; ++i) pasteOverAll();
    QCOMPARE(field.text().size(), 32767);

    const MemoryMark mark;
    for (int i = 1; i <= 1000 / kRunScale; ++i) {
      pasteOverAll();
      // Checked as it goes, so that a regression fails long before it has
      // taken a gigabyte.
      if (i % 100 == 0) {
        const QString grown = grownPastSlack(mark);
        QVERIFY2(grown.isEmpty(),
                 qPrintable(QStringLiteral("after %1 pastes: %2").arg(i).arg(grown)));
      }
    }
    // The last paste is still one step back.
    QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field.text().size(), 32767);
    QCOMPARE(field.selectedText().size(), 32767);
  }

  void typing_and_erasing_keeps_undo_record_small() {
    // QLineEdit records each typed and each erased character; tens of
    // thousands of them would be a megabyte.
    vx::TRxSpinEdit field(m_regional);
    field.setText(QStringLiteral("1"));
    for (int i = 0; i < 2000; ++i) {
      field.insert(QStringLiteral("5"));
      field.backspace();
    }
    const MemoryMark mark;
    for (int i = 0; i < 60'000 / kRunScale; ++i) {
      field.insert(QStringLiteral("5"));
      field.backspace();
    }
    QVERIFY2(grownPastSlack(mark).isEmpty(), qPrintable(grownPastSlack(mark)));

    // Typing is still undone as usual.
    field.insert(QStringLiteral("23"));
    QCOMPARE(field.text(), QStringLiteral("123"));
    QTest::keyClick(&field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field.text(), QStringLiteral("1"));
  }

  void long_texts_typed_over_leave_no_record() {
    // QLineEdit would record each erased character and keep the record's
    // memory, 20 bytes a character, for as long as the field lives: in a window
    // of sixteen fields, megabytes that came in steps as the user went round.
    std::vector<std::unique_ptr<vx::TRxSpinEdit>> fields;
    for (int i = 0; i < 4; ++i) {
      fields.push_back(std::make_unique<vx::TRxSpinEdit>(m_regional));
      fields.back()->setText(QStringLiteral("5"));
    }
    // The long texts come and go; what stays is what the fields keep.
    const MemoryMark mark;
    for (const auto &field : fields) {
      field->setText(QString(32767, u'8'));
      field->selectAll();
      QTest::keyClick(field.get(), Qt::Key_5);
      QCOMPARE(field->text(), QStringLiteral("5"));
    }
    QVERIFY2(grownPastSlack(mark).isEmpty(), qPrintable(grownPastSlack(mark)));
  }

  void answered_boxes_give_memory_back() {
    BoxAnswerer answerer;
    MessageBoxAlerts alerts;
    const auto showBoth = [&alerts] {
      alerts.showError(vx::kBadInputMessage);
      alerts.reportFault(QStringLiteral("Vembrix"), QStringLiteral("Floating point overflow."));
    };
    constexpr int kWarmUp = 50;
    for (int i = 0; i < kWarmUp; ++i) showBoth();

    const MemoryMark mark;
    const int rounds = 2500 / kRunScale;
    for (int i = 0; i < rounds; ++i) showBoth();
    QCOMPARE(answerer.answered, 2 * (kWarmUp + rounds));
    // Each box's own copy of the icon would leave a new entry in Qt's pixmap
    // cache, drawn as it is in the focused button.
    QVERIFY(!answerer.okWithIcon);
    QVERIFY2(grownPastSlack(mark).isEmpty(), qPrintable(grownPastSlack(mark)));
  }

private:
  vx::RegionalSettings m_regional{u'.', u','};
};

QTEST_MAIN(TestBoundedMemory)
#include "tst_bounded_memory.moc"
