// Thousands of rounds of random use of the real windows: random texts pasted
// or typed into random entry fields, steps, reflector names, separators that
// change, shapes picked through the picker, and random "Расчет" buttons
// pressed. Every box is answered at once. Whatever the inputs:
//   - no exception reaches the caller, and only the known faults are reported;
//   - no round hangs;
//   - every result field shows a text, and its edit text reads back as a
//     number that the field would write the same way;
//   - no object is left behind, and the heap and the resident memory stay flat.
// The sequence is fixed by the seed: a failure names the round and its
// actions, and the same build replays it.

#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

#include "fields/widgets/result/currency_edit.h"
#include "fields/rules/regional_settings.h"
#include "fields/rules/result_value.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/find_control.h"
#include "support/memory_probe.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/controls/picture_control.h"
#include "ui/app/startup.h"
#include "ui/app/vembrix_application.h"

namespace {

constexpr std::uint32_t kSeed = 20240611;
constexpr int kWarmUpRounds = 300;
constexpr int kRounds = 20000;
// A slow build (sanitizers) runs fewer rounds rather than overrun the suite.
constexpr qint64 kTimeBudgetMs = 50'000;
constexpr qint64 kRoundLimitMs = 5'000;
constexpr long kMemoryGrowthLimitKb = 20 * 1024;
// The heap in use is the finer measure: a leak of a couple of hundred bytes a
// round shows in it long before it shows in the resident set. Qt's offscreen
// platform itself keeps about a hundred bytes per showing of a window, the
// picker's included; that is a few hundred kB here.
constexpr long kHeapGrowthLimitBytes = 4 * 1024 * 1024;

const QPoint kInsidePicture(100, 50);

// Ends the process with the round it was stuck in when the test stops making
// progress: a hang on the UI thread cannot be noticed from that thread.
class HangWatch {
public:
  explicit HangWatch(std::chrono::seconds limit) : m_thread([this, limit] { run(limit); }) {}
  ~HangWatch() {
    {
      const std::lock_guard lock(m_mutex);
      m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
  }
  HangWatch(const HangWatch &) = delete;
  HangWatch &operator=(const HangWatch &) = delete;

  void progress(int round) {
    m_round = round;
    ++m_beats;
  }

private:
  void run(std::chrono::seconds limit) {
    std::unique_lock lock(m_mutex);
    long last = -1;
    while (!m_wake.wait_for(lock, limit, [this] { return m_done; })) {
      const long beats = m_beats;
      if (beats == last) {
        std::fprintf(stderr, "FAIL: no progress for %lld s in round %d (seed %u)\n",
                     static_cast<long long>(limit.count()), m_round.load(), kSeed);
        std::abort();
      }
      last = beats;
    }
  }

  std::atomic<int> m_round{0};
  std::atomic<long> m_beats{0};
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_done = false;
  std::thread m_thread;
};

// Texts that are no numbers, or numbers at the edge of a type.
// clang-format off
const char16_t *const kOddTexts[] = {
    u"", u" ", u"-", u"+", u"e", u"1e", u"1e+", u"--1", u"1-2", u"abc", u"0x1F", u"$FFFFFFFF",
    u"$7FFFFFFF", u"0X80000000", u"NaN", u"inf", u"-INF", u"١٢٣", u"½", u"12 34", u"\t7", u" 7",
    u"7 ", u"∞", u"2147483647", u"-2147483648", u"2147483648", u"9223372036854775808",
    u"0.0000000000000000000000000001", u"\U0001F41F"};
// clang-format on

// Texts a user might paste into a number field, and some nobody should.
class TextMaker {
public:
  explicit TextMaker(std::mt19937 &rng) : m_rng(rng) {}

  QString make(const vx::Separators &seps) {
    switch (below(11)) {
      case 0:  // small whole numbers of either sign
        return sign() + digits(1 + below(3));
      case 1:  // whole numbers beyond 32 and 64 bits
        return sign() + digits(9 + below(32));
      case 2:  // fractions, with or without a whole part
        return sign() + digits(below(7)) + seps.decimal + digits(below(8));
      case 3:  // the other separator, which this format may not take
        return sign() + digits(1 + below(4)) + (seps.decimal == u'.' ? u',' : u'.') +
               digits(1 + below(3));
      case 4:  // grouped thousands
        return sign() + digits(1 + below(3)) + seps.thousands + digits(3) + seps.thousands +
               digits(3) + seps.decimal + digits(below(3));
      case 5:  // exponents around and beyond the ranges of double and extended
        return sign() + digits(1 + below(3)) +
               (below(2) ? QString(seps.decimal) + digits(1 + below(4)) : QString()) +
               (below(2) ? u'e' : u'E') + (below(3) == 0 ? u'-' : u'+') +
               QString::number(
                   pickOne<int>({0, 1, 38, 307, 308, 309, 4931, 4932, 4933, 4951, 4960, 99999}));
      case 6: {  // odd texts; the separators alone too
        const int i = below(static_cast<int>(std::size(kOddTexts)) + 2);
        if (i < static_cast<int>(std::size(kOddTexts))) return QString::fromUtf16(kOddTexts[i]);
        return QString(i == static_cast<int>(std::size(kOddTexts)) ? seps.decimal : seps.thousands);
      }
      case 7:  // nothing at all
        return {};
      case 8: {  // characters a number is made of, in any order
        static const QString pool = QStringLiteral("0123456789.,-+eE $xX ");
        QString s;
        for (int i = below(13); i > 0; --i) s += pool[below(static_cast<int>(pool.size()))];
        return s;
      }
      case 9:  // far more digits than any number type holds
        return sign() + digits(100 + below(300)) +
               (below(2) ? QString(seps.decimal) + digits(below(50)) : QString());
      default:  // an ordinary value, so calculations also get through
        return QString::number(1 + below(200));
    }
  }

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

  template <typename T>
  T pickOne(std::initializer_list<T> choices) {
    return *(choices.begin() + below(static_cast<int>(choices.size())));
  }

private:
  QString sign() {
    return pickOne<QString>({QString(), QString(), QStringLiteral("-"), QStringLiteral("+")});
  }
  QString digits(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'0' + below(10));
    return s;
  }

  std::mt19937 &m_rng;
};

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise a window, and says so at every showing
// of the picker; thousands of those lines would bury anything that matters.
void dropRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message) {
  if (type == QtWarningMsg && message == u"This plugin does not support raise()") return;
  previousHandler(type, context, message);
}

// Types each character as a key press of its own, through the application
// object as real keys go. (QTest::keyClicks takes only the keys of a US
// keyboard.)
void typeText(QWidget *target, const QString &text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    QString typed(text[i]);
    if (text[i].isHighSurrogate() && i + 1 < text.size()) typed += text[++i];
    const char16_t u = typed.front().toUpper().unicode();
    const auto key = u >= 0x20 && u < 0x7f ? Qt::Key(u) : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
    QCoreApplication::sendEvent(target, &release);
  }
}

}  // namespace

class TestEndurance : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    previousHandler = qInstallMessageHandler(dropRaiseWarnings);
    setUpApplication();
    static_cast<VembrixApplication *>(qApp)->setAlerts(&m_alerts);
    m_windows = std::make_unique<ApplicationWindows>(m_regional, m_alerts);
    TMainFrm &w = main();
    // Every field and button of the window, as a user's random hand finds them.
    m_entries = w.findChildren<vx::TRxSpinEdit *>();
    m_results = w.findChildren<vx::TCurrencyEdit *>();
    m_buttons = w.findChildren<QPushButton *>();
    QVERIFY(!m_entries.isEmpty() && !m_results.isEmpty() && !m_buttons.isEmpty());
    TAquaTypeFrm &p = picker();
    m_shapes = p.shapePictures();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(m_alerts.errors.isEmpty());
    QVERIFY(m_alerts.reports.isEmpty());
  }

  void random_use_keeps_windows_sound() {
    ModalWatchdog watchdog(200);
    HangWatch hangWatch(std::chrono::seconds(30));
    QElapsedTimer total;
    total.start();
    std::optional<MemoryMark> warm;
    int warmWidgets = 0;
    int round = 0;
    for (; round < kWarmUpRounds + kRounds; ++round) {
      if (round == kWarmUpRounds) {
        warm.emplace();
        warmWidgets = widgetCount();
      } else if (round > kWarmUpRounds && total.elapsed() > kTimeBudgetMs) {
        qInfo("time budget spent after %d rounds", round);
        break;
      }
      hangWatch.progress(round);
      m_log.clear();
      m_trouble.clear();
      QElapsedTimer timer;
      timer.start();
      QString escaped;
      try {
        playRound();
      } catch (const std::exception &e) {
        escaped = QStringLiteral("exception escaped: %1").arg(QString::fromLocal8Bit(e.what()));
      } catch (...) {
        escaped = QStringLiteral("unknown exception escaped");
      }
      QString trouble = escaped.isEmpty() ? m_trouble : escaped;
      if (trouble.isEmpty()) trouble = unexpectedBoxes();
      if (trouble.isEmpty()) trouble = unsoundness();
      if (trouble.isEmpty() && timer.elapsed() > kRoundLimitMs)
        trouble = QStringLiteral("round took %1 ms").arg(timer.elapsed());
      if (!watchdog.closedBoxes().isEmpty())
        trouble = QStringLiteral("an unexpected modal box: ") + watchdog.closedBoxes().join(u',');
      QVERIFY2(trouble.isEmpty(), qPrintable(QStringLiteral("round %1 (seed %2): %3\n  after: %4")
                                                 .arg(round)
                                                 .arg(kSeed)
                                                 .arg(trouble, m_log.join(QStringLiteral("; ")))));
    }
    QVERIFY2(round > kWarmUpRounds, "the warm-up alone spent the time budget");
    qInfo("%d rounds: %lld presses, %lld picks, %lld error boxes, %lld fault reports", round,
          static_cast<long long>(m_presses), static_cast<long long>(m_picks),
          static_cast<long long>(m_errorBoxes), static_cast<long long>(m_faultReports));
    // Random inputs that never reached a calculation's checks or faults would
    // prove little.
    QVERIFY(m_errorBoxes > 0);
    QVERIFY(m_faultReports > 0);

    QCOMPARE(widgetCount(), warmWidgets);
    if (kMemoryMeasured) {
      const MemoryUse grown = warm->growth();
      qInfo("resident memory %ld kB after the warm-up, %+ld kB at the end; heap in use %+ld bytes",
            warm->start().residentKb, grown.residentKb, grown.heapBytes);
      const QString exceeded = warm->exceeded(kMemoryGrowthLimitKb, kHeapGrowthLimitBytes);
      QVERIFY2(exceeded.isEmpty(),
               qPrintable(
                   QStringLiteral("over %1 rounds: %2").arg(round - kWarmUpRounds).arg(exceeded)));
    }
  }

  void cleanupTestCase() {
    m_windows.reset();
    static_cast<VembrixApplication *>(qApp)->setAlerts(nullptr);
  }

private:
  TMainFrm &main() { return m_windows->mainForm(); }
  TAquaTypeFrm &picker() { return m_windows->picker(); }

  // One round of random actions; each is described in m_log.
  void playRound() {
    TMainFrm &w = main();
    for (int actions = 1 + m_texts.below(4); actions > 0; --actions) {
      const int roll = m_texts.below(100);
      if (roll < 40) {  // pasted: the text goes in unfiltered
        vx::TRxSpinEdit *field = m_entries[m_texts.below(static_cast<int>(m_entries.size()))];
        const QString text = m_texts.make(m_regional.separators());
        m_log << QStringLiteral("paste %1 \"%2\"").arg(field->objectName(), text.left(60));
        field->setText(text);
      } else if (roll < 48) {  // typed: the field drops what it refuses
        vx::TRxSpinEdit *field = m_entries[m_texts.below(static_cast<int>(m_entries.size()))];
        const QString text = m_texts.make(m_regional.separators()).left(30);
        m_log << QStringLiteral("type %1 \"%2\"").arg(field->objectName(), text);
        field->selectAll();
        typeText(field, text);
      } else if (roll < 56) {  // arrow keys step the value
        vx::TRxSpinEdit *field = m_entries[m_texts.below(static_cast<int>(m_entries.size()))];
        const bool up = m_texts.below(2) == 0;
        m_log << QStringLiteral("%1 %2").arg(up ? QStringLiteral("up") : QStringLiteral("down"),
                                             field->objectName());
        QTest::keyClick(field, up ? Qt::Key_Up : Qt::Key_Down);
      } else if (roll < 60) {
        const QString name = m_texts.pickOne<QString>(
            {QStringLiteral("Нет"), QStringLiteral("Трапеция"), QStringLiteral("Парабола"),
             QStringLiteral("Kvib"), QStringLiteral("KVIB"), QString(), QStringLiteral("Зеркало"),
             m_texts.make(m_regional.separators())});
        m_log << QStringLiteral("reflector \"%1\"").arg(name);
        controlOf<QComboBox>(w, "RefBox")->setEditText(name);
      } else if (roll < 70) {  // through the picker, as the user picks
        const int shape = m_texts.below(static_cast<int>(m_shapes.size()));
        m_log << QStringLiteral("pick %1").arg(shape);
        QTest::mouseClick(controlOf<PictureControl>(w, "AquaImage"), Qt::LeftButton, {},
                          kInsidePicture);
        QTest::mouseClick(m_shapes[shape], Qt::LeftButton, {}, kInsidePicture);
        if (w.tankState().AquaType != shape || picker().isVisible())
          m_trouble = QStringLiteral("the pick of shape %1 did not land").arg(shape);
        ++m_picks;
      } else if (roll < 72) {
        m_log << QStringLiteral("open and close the picker");
        QTest::mouseClick(controlOf<PictureControl>(w, "AquaImage"), Qt::LeftButton, {},
                          kInsidePicture);
        picker().close();
      } else if (roll < 73) {
        static const std::array<std::pair<QChar, QChar>, 3> formats = {
            {{u'.', u','}, {u',', u'\u00A0'}, {u',', u'.'}}};
        const auto [decimal, thousands] = formats[m_texts.below(3)];
        m_log << QStringLiteral("separators '%1' '%2'").arg(decimal).arg(thousands);
        m_regional.setSeparators(decimal, thousands);
      } else {
        QPushButton *button = m_buttons[m_texts.below(static_cast<int>(m_buttons.size()))];
        m_log << QStringLiteral("press %1").arg(button->objectName());
        button->click();
        ++m_presses;
      }
    }
    // Let the windows repaint what changed: painting odd texts is part of it.
    QCoreApplication::processEvents();
  }

  // Empty when the windows are sound, else what is wrong.
  QString unsoundness() {
    const vx::Separators seps = m_regional.separators();
    for (vx::TCurrencyEdit *field : std::as_const(m_results)) {
      const QString name = field->objectName();
      if (field->displayText().isEmpty()) return name + QStringLiteral(" shows nothing");
      if (field->text() != field->displayText())
        return name + QStringLiteral(" shows \"%1\" but its display text is \"%2\"")
                          .arg(field->text(), field->displayText());
      const QString edit = field->editText();
      const std::optional<long double> read = vx::parseResultText(edit, seps);
      if (!read) return name + QStringLiteral(" edit text \"%1\" does not read back").arg(edit);
      // Written again, the number read must read back as itself: what a
      // calculation reads back is a fixed point of the field's rounding. (The
      // texts may differ: a tiny value shows "0", an exact zero nothing.)
      vx::ResultValue again(seps);
      again.setDecimalPlaces(field->DecimalPlaces());
      again.setZeroEmpty(field->ZeroEmpty());
      again.setValue(*read);
      if (vx::parseResultText(again.editText(), seps) != read)
        return name + QStringLiteral(" edit text \"%1\" reads back as a number written \"%2\"")
                          .arg(edit, again.editText());
    }
    static const QStringList ratings = {QStringLiteral("Недостаток"), QStringLiteral("Норма"),
                                        QStringLiteral("Избыток")};
    if (!ratings.contains(controlOf<QLabel>(main(), "Co2Panel")->text()))
      return QStringLiteral("CO2 panel shows \"%1\"")
          .arg(controlOf<QLabel>(main(), "Co2Panel")->text());
    return {};
  }

  // Whatever the boxes showed this round, checked and forgotten.
  QString unexpectedBoxes() {
    static const QStringList knownFaults = {QStringLiteral("Floating point division by zero."),
                                            QStringLiteral("Invalid floating point operation."),
                                            QStringLiteral("Floating point overflow.")};
    QString wrong;
    m_errorBoxes += m_alerts.errors.size();
    m_faultReports += m_alerts.reports.size();
    for (const QString &e : std::as_const(m_alerts.errors))
      if (e != QString::fromUtf8(vx::kBadInputMessage.data(),
                                 static_cast<qsizetype>(vx::kBadInputMessage.size())))
        wrong = QStringLiteral("error box \"%1\"").arg(e);
    for (const RecordingAlerts::Report &r : std::as_const(m_alerts.reports))
      if (r.caption != QStringLiteral("Vembrix") || !knownFaults.contains(r.text))
        wrong = QStringLiteral("report \"%1\": \"%2\"").arg(r.caption, r.text);
    m_alerts.clear();
    return wrong;
  }

  int widgetCount() {
    return static_cast<int>(main().findChildren<QObject *>().size() +
                            picker().findChildren<QObject *>().size() +
                            QApplication::topLevelWidgets().size());
  }

  vx::RegionalSettings m_regional{u'.', u','};
  RecordingAlerts m_alerts;
  std::unique_ptr<ApplicationWindows> m_windows;
  std::mt19937 m_rng{kSeed};
  TextMaker m_texts{m_rng};
  QStringList m_log;
  QString m_trouble;  // found in the middle of a round
  qsizetype m_presses = 0, m_picks = 0, m_errorBoxes = 0, m_faultReports = 0;
  QList<vx::TRxSpinEdit *> m_entries;
  QList<vx::TCurrencyEdit *> m_results;
  QList<QPushButton *> m_buttons;
  QList<PictureControl *> m_shapes;
};

int main(int argc, char *argv[]) {
  // The program's own application object, with the backstop that reports what
  // escapes an event handler, so the rounds meet the windows as they run.
  VembrixApplication app(argc, argv);
  TestEndurance test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_endurance.moc"
