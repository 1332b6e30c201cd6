// The colours the user reads, measured in rendered pixels: the results, the
// CO2 rating and the "Расчет" captions must stand out from what is behind
// them under a light and under a dark palette alike.

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <memory>

#include "fields/widgets/result/currency_edit.h"
#include "fields/widgets/result/readable_colour.h"
#include "fields/rules/regional_settings.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/MainForm.h"
#include "ui/windows/form_controls.h"
#include "ui/app/startup.h"

namespace {

enum class Theme { Default, Dark, DarkAfterStart, AdwaitaDark, Qt6ctDark };
// The states a button's face is painted in.
enum class State { Normal, Hovered, Pressed, Focused };

// The dark palette a dark desktop theme hands to Qt.
QPalette darkPalette() {
  QPalette p;
  const QColor window(53, 53, 53), base(42, 42, 42), disabled(127, 127, 127);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, Qt::white);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
  p.setColor(QPalette::Text, Qt::white);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, Qt::white);
  p.setColor(QPalette::Light, QColor(80, 80, 80));
  p.setColor(QPalette::Midlight, QColor(66, 66, 66));
  p.setColor(QPalette::Mid, QColor(40, 40, 40));
  p.setColor(QPalette::Dark, QColor(30, 30, 30));
  p.setColor(QPalette::Shadow, QColor(20, 20, 20));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabled);
  return p;
}

// A palette as a desktop theme hands it to Qt, read from a program run under
// that theme: the colours of the roles WindowText, Button, Light, Midlight,
// Dark, Mid, Text, BrightText, ButtonText, Base, Window, Shadow, Highlight, in
// that order, for the active (and inactive) and for the disabled group.
QPalette themePalette(const char *active, const char *disabled) {
  QPalette p;
  const auto fill = [&p](const char *colours, std::initializer_list<QPalette::ColorGroup> groups) {
    const QStringList names = QString::fromLatin1(colours).split(u' ');
    for (int role = 0; role < names.size(); ++role)
      for (const QPalette::ColorGroup group : groups)
        p.setColor(group, QPalette::ColorRole(role), QColor(u'#' + names[role]));
  };
  fill(active, {QPalette::Active, QPalette::Inactive});
  fill(disabled, {QPalette::Disabled});
  return p;
}

QPalette paletteOf(Theme theme) {
  switch (theme) {
    case Theme::Default: break;
    case Theme::Dark:
    case Theme::DarkAfterStart: return darkPalette();
    case Theme::AdwaitaDark:  // QT_QPA_PLATFORMTHEME=gtk3, GTK_THEME=Adwaita:dark
      return themePalette(
          "f0f0f0 323232 4b4b4b 2a2a2a 212121 262626 f0f0f0 4b4b4b f0f0f0 242424 323232 191919 "
          "308cc6",
          "828282 323232 4b4b4b 2a2a2a bebebe 262626 828282 4b4b4b 828282 323232 323232 252525 "
          "919191");
    case Theme::Qt6ctDark:  // the "darker" colour scheme qt6ct ships
      return themePalette(
          "ffffff 424245 979797 5e5c5b 302f2e 4a4947 ffffff ffffff ffffff 3d3d3d 222020 e7e4e0 "
          "12608a",
          "808080 424245 979797 5e5c5b 302f2e 4a4947 808080 ffffff 808080 3d3d3d 222020 e7e4e0 "
          "12608a");
  }
  return QApplication::palette();
}

// Puts a button into the state as the user would: the pointer over it, the
// mouse button held down on it, or the keyboard focus moved to it by Tab.
void putInto(State state, QPushButton *button) {
  switch (state) {
    case State::Normal: break;
    case State::Hovered: button->setAttribute(Qt::WA_UnderMouse); break;
    case State::Pressed:
      button->setAttribute(Qt::WA_UnderMouse);
      button->setDown(true);
      break;
    case State::Focused:
      button->window()->setAttribute(Qt::WA_KeyboardFocusChange);
      button->setFocus(Qt::TabFocusReason);
      break;
  }
}

struct Measured {
  QColor background, text;
  double ratio = 0;
};

// Inside the control's frame: the commonest colour is roughly what the text
// stands on, and the pixel that differs most from it is the text at full
// strength. A shaded face (a style's gradient) differs from row to row, so the
// text is measured against the face of each row it stands in, and the worst
// row counts.
Measured measure(QWidget *control) {
  const QImage image = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect inside = image.rect().adjusted(4, 4, -4, -4);
  const auto commonestOf = [&](int top, int bottom) {
    QHash<QRgb, int> counts;
    for (int y = top; y <= bottom; ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) ++counts[image.pixel(x, y)];
    QRgb commonest = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
      if (it.value() > most || (it.value() == most && it.key() < commonest)) {
        most = it.value();
        commonest = it.key();
      }
    return QColor(commonest);
  };
  const QColor overall = commonestOf(inside.top(), inside.bottom());
  Measured m;
  m.text = overall;
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (const QColor c(image.pixel(x, y));
          vx::contrastRatio(c, overall) > vx::contrastRatio(m.text, overall))
        m.text = c;
  if (m.text == overall) return m;  // no text at all: ratio 0, which fails
  m.ratio = 1e9;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    bool textInRow = false;
    for (int x = inside.left(); x <= inside.right() && !textInRow; ++x)
      textInRow = QColor(image.pixel(x, y)) == m.text;
    if (!textInRow) continue;
    const QColor face = commonestOf(y, y);
    if (const double r = vx::contrastRatio(m.text, face); r < m.ratio) {
      m.ratio = r;
      m.background = face;
    }
  }
  return m;
}

}  // namespace

Q_DECLARE_METATYPE(Theme)
Q_DECLARE_METATYPE(State)

class TestReadableColours : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { setUpApplication(); }

  void cleanup() { m_watchdog.check(); }

  void contrast_ratio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");

    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << QColor(0, 128, 0) << QColor(0, 128, 0) << 1.0;
    QTest::newRow("old result grey on white") << QColor(190, 190, 190) << QColor(Qt::white) << 1.86;
    QTest::newRow("white caption on lime") << QColor(Qt::white) << QColor(0, 255, 0) << 1.37;
  }
  void contrast_ratio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(vx::contrastRatio(a, b) - ratio) < 0.01,
             qPrintable(QString::number(vx::contrastRatio(a, b))));
    QCOMPARE(vx::contrastRatio(a, b), vx::contrastRatio(b, a));
  }

  void designed_colours_stay_where_readable() {
    // Where the design is readable nothing changes; where it is not, the
    // nearest readable colour of the same hue is taken, not black or white.
    QCOMPARE(vx::readableOn(QColor(0, 128, 0), Qt::white), QColor(0, 128, 0));
    const QColor onDark = vx::readableOn(QColor(0, 128, 0), QColor(53, 53, 53));
    QVERIFY(vx::contrastRatio(onDark, QColor(53, 53, 53)) >= vx::kReadableContrast);
    QCOMPARE(onDark.red(), 0);
    QCOMPARE(onDark.blue(), 0);
    QVERIFY(vx::contrastRatio(QColor(0, onDark.green() - 1, 0), QColor(53, 53, 53)) <
            vx::kReadableContrast);

    QPalette light;
    light.setColor(QPalette::Active, QPalette::Base, Qt::white);
    light.setColor(QPalette::Active, QPalette::Text, Qt::black);
    light.setColor(QPalette::Disabled, QPalette::Text, QColor(100, 100, 100));
    QCOMPARE(vx::readableDisabledText(light), QColor(100, 100, 100));
    light.setColor(QPalette::Disabled, QPalette::Text, QColor(190, 190, 190));
    const QColor grey = vx::readableDisabledText(light);
    QVERIFY(grey.red() == grey.green() && grey.green() == grey.blue());
    QVERIFY(vx::contrastRatio(grey, Qt::white) >= vx::kReadableContrast);
    QVERIFY(vx::contrastRatio(QColor(grey.red() + 1, grey.red() + 1, grey.red() + 1), Qt::white) <
            vx::kReadableContrast);
  }

  void rendered_text_is_readable_data() {
    QTest::addColumn<Theme>("theme");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("panelColour");  // for Co2Panel: the rating's colour
    QTest::addColumn<State>("state");

    const std::pair<const char *, Theme> themes[] = {{"default", Theme::Default},
                                                     {"dark", Theme::Dark},
                                                     {"dark after start", Theme::DarkAfterStart},
                                                     {"Adwaita-dark", Theme::AdwaitaDark},
                                                     {"qt6ct darker", Theme::Qt6ctDark}};
    const std::pair<const char *, State> states[] = {{"normal", State::Normal},
                                                     {"hovered", State::Hovered},
                                                     {"pressed", State::Pressed},
                                                     {"focused", State::Focused}};
    const std::pair<const char *, QColor> ratings[] = {{"lime", QColor(0, 255, 0)},
                                                       {"aqua", QColor(0, 255, 255)},
                                                       {"yellow", QColor(255, 255, 0)}};
    for (const auto &[themeName, theme] : themes) {
      for (const char *control : {"VAquaBox", "Co2Box"})
        QTest::addRow("%s: %s", themeName, control)
            << theme << QString::fromLatin1(control) << QColor() << State::Normal;
      for (const char *control : {"VolumeCalcBtn", "GhCalcBtn"})
        for (const auto &[stateName, state] : states)
          QTest::addRow("%s: %s %s", themeName, control, stateName)
              << theme << QString::fromLatin1(control) << QColor() << state;
      for (const auto &[ratingName, colour] : ratings)
        QTest::addRow("%s: Co2Panel %s", themeName, ratingName)
            << theme << "Co2Panel" << colour << State::Normal;
    }
  }
  void rendered_text_is_readable() {
    QFETCH(Theme, theme);
    QFETCH(QString, control);
    QFETCH(QColor, panelColour);
    QFETCH(State, state);

    const QPalette original = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(original); });
    if (theme != Theme::DarkAfterStart) QApplication::setPalette(paletteOf(theme));

    vx::RegionalSettings regional(u'.', u',');
    TMainFrm window(regional, m_alerts);
    if (theme == Theme::DarkAfterStart) QApplication::setPalette(paletteOf(theme));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QWidget *w = window.findChild<QWidget *>(control);
    QVERIFY(w);
    if (panelColour.isValid()) setPanelColour(controlOf<QLabel>(window, "Co2Panel"), panelColour);
    if (auto *button = qobject_cast<QPushButton *>(w)) putInto(state, button);

    const Measured m = measure(w);
    QVERIFY2(m.ratio >= vx::kReadableContrast,
             qPrintable(QStringLiteral("%1 on %2: %3 : 1")
                            .arg(m.text.name(), m.background.name())
                            .arg(m.ratio, 0, 'f', 2)));
  }

private:
  ModalWatchdog m_watchdog;
  RecordingAlerts m_alerts;
};

QTEST_MAIN(TestReadableColours)
#include "tst_readable_colours.moc"
