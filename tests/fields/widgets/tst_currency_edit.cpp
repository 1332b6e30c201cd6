// The result field on screen, and the regional settings every field asks
// for its separators.
#include <QtTest>

#include <QApplication>
#include <QImage>
#include <QStyle>

#include "fields/widgets/result/currency_edit.h"
#include "fields/rules/regional_settings.h"
#include "support/long_double_text.h"
#include "support/separator_rows.h"

namespace {

const QColor kBase(255, 255, 224);
const QColor kGrey(0, 0, 255);
const QColor kFontColour(255, 0, 0);

// Where pixels of one colour lie in an image.
struct Extent {
  int left = INT_MAX, right = -1, top = INT_MAX;
  bool found() const { return right >= 0; }
};

Extent extentOf(const QImage &image, const QColor &colour) {
  Extent e;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != colour) continue;
      e.left = std::min(e.left, x);
      e.right = std::max(e.right, x);
      e.top = std::min(e.top, y);
    }
  }
  return e;
}

// A field as the window makes it, with colours a pixel test can tell apart.
void setUpForPixels(vx::TCurrencyEdit &f) {
  QPalette p = f.palette();
  p.setColor(QPalette::Active, QPalette::Base, kBase);
  p.setColor(QPalette::Disabled, QPalette::Text, kGrey);
  p.setColor(QPalette::Active, QPalette::Text, kFontColour);
  f.setPalette(p);
  QFont font = f.font();
  font.setStyleStrategy(QFont::NoAntialias);
  f.setFont(font);
  f.resize(185, 21);
}

}  // namespace

class TestCurrencyEdit : public QObject {
  Q_OBJECT

private slots:
  void initTestCase_data() { addSeparatorRows(); }

  void created_disabled_bold_right_aligned() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TCurrencyEdit>();
    QVERIFY(!f.isEnabled());
    QCOMPARE(f.focusPolicy(), Qt::NoFocus);
    QVERIFY(f.font().bold());
    QCOMPARE(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(f.DecimalPlaces(), 2);
    QVERIFY(f.ZeroEmpty());
    QCOMPARE(f.editText(), QString());
    f.setDisplayFormat(QStringLiteral("0.00 кг"));
    QCOMPARE(f.text(), QStringLiteral("0") + decimal + QStringLiteral("00 кг"));
  }

  // text() is what a screen reader reads, so it must be the display text;
  // the number read back comes from the edit text.
  void text_is_display_text() {
    const QChar decimal = rowDecimal();
    auto &&[regional, f] = fieldOnRow<vx::TCurrencyEdit>();
    f.setDisplayFormat(QStringLiteral("0.00 л"));
    f.setValue(7.25L);
    QCOMPARE(f.text(), QStringLiteral("7") + decimal + QStringLiteral("25 л"));
    QCOMPARE(f.displayText(), f.text());
    QCOMPARE(f.editText(), QStringLiteral("7") + decimal + QStringLiteral("25"));
    QCOMPARE(f.property("editText").toString(), f.editText());
  }

  void read_back_updates_display() {
    auto &&[regional, flux] = fieldOnRow<vx::TCurrencyEdit>();
    flux.setDisplayFormat(QStringLiteral("0 Lm"));
    flux.setValue(12.495L);
    QCOMPARE(flux.text(), QStringLiteral("12 Lm"));
    QCOMPARE(flux.Value(), 12.5L);
    QCOMPARE(flux.text(), QStringLiteral("13 Lm"));
    QCOMPARE(flux.property("value").toDouble(), 12.5);
  }

  void separator_change_rewrites_display() {
    vx::RegionalSettings regional(u'.', u',');
    vx::TCurrencyEdit f(regional);
    f.setDisplayFormat(QStringLiteral("0.00 л"));
    f.setValue(1234.5L);
    QCOMPARE(f.text(), QStringLiteral("1234.50 л"));
    regional.setSeparators(u',', u'.');
    QCOMPARE(f.text(), QStringLiteral("1234,50 л"));
    QCOMPARE(f.editText(), QStringLiteral("1234,5"));
    QCOMPARE(f.Value(), 1234.5L);
  }

  void paints_grey_bold_text_right_aligned() {
    auto &&[regional, f] = fieldOnRow<vx::TCurrencyEdit>();
    setUpForPixels(f);
    f.setDisplayFormat(QStringLiteral("0.00 л"));
    f.setValue(246.75L);
    const QImage image = f.grab().toImage();

    QCOMPARE(image.pixelColor(f.width() / 4, f.height() / 2), kBase);
    const Extent text = extentOf(image, kGrey);
    QVERIFY(text.found());
    QVERIFY(!extentOf(image, kFontColour).found());

    // Right edge at the client's right less the line edit's own margin, the
    // border inset and two pixels; top at the border inset.
    const int frame = f.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &f);
    const int rightEdge = f.width() - frame - 2 - 1 - 2;
    QVERIFY2(text.right < rightEdge && text.right >= rightEdge - 3,
             qPrintable(QStringLiteral("text ends at %1, expected just before %2")
                            .arg(text.right)
                            .arg(rightEdge)));
    QFont bold = f.font();
    bold.setBold(true);
    const int left = rightEdge - QFontMetrics(bold).horizontalAdvance(f.displayText());
    QVERIFY(text.left >= left && text.left <= left + 2);
    QVERIFY(text.top >= frame + 1);
  }

  // The window hands every control its plain font; the result stays bold.
  void plain_font_still_paints_bold() {
    auto &&[regional, f] = fieldOnRow<vx::TCurrencyEdit>();
    setUpForPixels(f);
    f.setDisplayFormat(QStringLiteral("0.00 л"));
    f.setValue(246.75L);
    QFont plain = f.font();
    plain.setBold(false);
    f.setFont(plain);
    const Extent text = extentOf(f.grab().toImage(), kGrey);
    QFont bold = plain;
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(f.displayText());
    QVERIFY(QFontMetrics(plain).horizontalAdvance(f.displayText()) < width);
    QVERIFY(text.right - text.left + 1 > width - 3);
  }

  void grey_on_grey_keeps_font_colour() {
    auto &&[regional, f] = fieldOnRow<vx::TCurrencyEdit>();
    setUpForPixels(f);
    QPalette p = f.palette();
    p.setColor(QPalette::Disabled, QPalette::Text, kBase);
    f.setPalette(p);
    f.setDisplayFormat(QStringLiteral("0 W"));
    f.setValue(150.0L);
    QVERIFY(extentOf(f.grab().toImage(), kFontColour).found());
  }

  void fixed_settings_ignore_locale_change() {
    vx::RegionalSettings regional(u',', u' ');
    QSignalSpy changed(&regional, &vx::RegionalSettings::changed);
    QEvent localeChange(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &localeChange);
    QCOMPARE(regional.decimalSeparator(), QChar(u','));
    QCOMPARE(regional.thousandsSeparator(), QChar(u' '));
    QCOMPARE(changed.count(), 0);
  }

  void system_settings_follow_locale_change() {
    vx::RegionalSettings regional;
    const QLocale system = QLocale::system();
    QCOMPARE(regional.decimalSeparator(), system.decimalPoint().front());
    const vx::Separators initial = regional.separators();

    QSignalSpy changed(&regional, &vx::RegionalSettings::changed);
    regional.setSeparators(u'x', u'y');
    regional.setSeparators(u'x', u'y');  // no change, no signal
    QCOMPARE(changed.count(), 1);

    // Qt passes one change on to every widget; the system is read once, at
    // the application's delivery, not once more per widget.
    QEvent localeChange(QEvent::LocaleChange);
    QWidget widget;
    QCoreApplication::sendEvent(&widget, &localeChange);
    QCOMPARE(regional.separators(), (vx::Separators{u'x', u'y'}));
    QCOMPARE(changed.count(), 1);
    QCoreApplication::sendEvent(qApp, &localeChange);
    QCOMPARE(regional.separators(), initial);
    QCOMPARE(changed.count(), 2);
  }
};

QTEST_MAIN(TestCurrencyEdit)
#include "tst_currency_edit.moc"
