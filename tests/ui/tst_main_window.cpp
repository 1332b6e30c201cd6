// The main window as the user meets it: what stands where, what it shows
// before and after the first showing, how Tab walks through it, and what
// happens when a calculation cannot go on.

#include <QFontInfo>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "fields/widgets/result/currency_edit.h"
#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/recording_alerts.h"
#include "ui/windows/MainForm.h"
#include "ui/accessibility/announcer.h"
#include "ui/controls/picture_control.h"
#include "ui/artwork/shape_pictures.h"
#include "ui/app/startup.h"

namespace {

const QColor kLime(0, 255, 0);
const QColor kAqua(0, 255, 255);

// The controls a window is made of, children of the window or of a group:
// what a user sees, not the parts Qt builds inside a combo box or a field.
QList<QWidget *> placedControls(const QWidget &parent) {
  QList<QWidget *> placed;
  for (QWidget *w : parent.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
    if (!w->objectName().isEmpty() && !w->isWindow() && !w->isHidden()) placed << w;
  return placed;
}

QList<QWidget *> placedControlsUnder(const QWidget &window) {
  QList<QWidget *> all = placedControls(window);
  for (QGroupBox *group : window.findChildren<QGroupBox *>()) all << placedControls(*group);
  return all;
}

// Everything a calculation may change.
struct Outcome {
  QStringList shown;
  vx::TankState tank;
  bool operator==(const Outcome &) const = default;
};

Outcome outcomeOf(const TMainFrm &w) {
  QStringList shown;
  for (const char *name : {"VAquaBox", "VGrBox", "BugerBox", "Co2Box", "TempWBox", "PodVBox"}) {
    const auto *result = controlOf<vx::TCurrencyEdit>(w, name);
    shown << result->displayText() << result->property("value").toString();
  }
  const auto *panel = controlOf<QLabel>(w, "Co2Panel");
  shown << panel->text() << panel->palette().color(QPalette::Window).name();
  return {shown, w.tankState()};
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { setUpApplication(); }

  void init() {
    m_watchdog = std::make_unique<ModalWatchdog>();
    makeWindow(u'.', u',');
  }

  void cleanup() {
    m_window.reset();
    m_alerts.clear();
    m_watchdog->check();
  }

  void window_frame() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vembrix"));
    QCOMPARE(m_window->minimumSize(), QSize(682, 588));
    QCOMPARE(m_window->maximumSize(), QSize(682, 588));
    QCOMPARE(m_window->pos(), QPoint(469, 232));
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(m_window->palette().color(QPalette::Window),
             m_window->palette().color(QPalette::Button));
    QVERIFY(controlOf<QStatusBar>(*m_window, "StatusBar")->currentMessage().isEmpty());
    QCOMPARE(controlOf<QStatusBar>(*m_window, "StatusBar")->focusPolicy(), Qt::NoFocus);
  }

  void every_control_lies_inside_its_group() {
    showWindow();
    // Above the status bar, in the window; inside the frame of its group,
    // below the caption's line.
    const QRect client = m_window->rect().adjusted(
        0, 0, 0, -controlOf<QStatusBar>(*m_window, "StatusBar")->height());
    for (QWidget *w : placedControls(*m_window))
      if (w != controlOf<QStatusBar>(*m_window, "StatusBar"))
        QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));
    for (QGroupBox *group : m_window->findChildren<QGroupBox *>()) {
      const QRect inside = group->rect().adjusted(1, QFontInfo(group->font()).pixelSize(), -1, -1);
      for (QWidget *w : placedControls(*group))
        QVERIFY2(inside.contains(w->geometry()),
                 qPrintable(w->objectName() + QStringLiteral(" in ") + group->objectName()));
    }
  }

  void no_two_controls_overlap() {
    QList<QWidget *> parents{m_window.get()};
    for (QGroupBox *group : m_window->findChildren<QGroupBox *>()) parents << group;
    for (QWidget *parent : parents) {
      const QList<QWidget *> placed = placedControls(*parent);
      for (qsizetype i = 0; i < placed.size(); ++i)
        for (qsizetype j = i + 1; j < placed.size(); ++j)
          QVERIFY2(!placed[i]->geometry().intersects(placed[j]->geometry()),
                   qPrintable(placed[i]->objectName() + QStringLiteral(" and ") +
                              placed[j]->objectName()));
    }
  }

  void every_control_is_captioned() {
    // A group box or a button without its caption leaves a field unnamed.
    for (QWidget *w : placedControlsUnder(*m_window)) {
      if (auto *box = qobject_cast<QGroupBox *>(w))
        QVERIFY2(!box->title().isEmpty(), qPrintable(w->objectName()));
      if (auto *button = qobject_cast<QPushButton *>(w))
        QVERIFY2(!button->text().isEmpty(), qPrintable(w->objectName()));
    }
  }

  void places_users_depend_on_data() {
    QTest::addColumn<QPoint>("at");
    // Points in the client area that the window-manager test clicks.
    QTest::newRow("AquaImage") << QPoint(115, 76);
    QTest::newRow("PodGWBox") << QPoint(530, 442);
    QTest::newRow("GhCalcBtn") << QPoint(564, 540);
  }
  void places_users_depend_on() {
    QFETCH(QPoint, at);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    showWindow();
    QWidget *hit = m_window->childAt(at);
    while (hit && hit->objectName() != name) hit = hit->parentWidget();
    QVERIFY2(hit, qPrintable(name));
    // Below the buttons, where the status bar runs, nothing takes a click.
    QCOMPARE(m_window->childAt(QPoint(340, 584)), controlOf<QStatusBar>(*m_window, "StatusBar"));
    // The shape pictures are drawn at the size of the control that shows them.
    QCOMPARE(controlOf<PictureControl>(*m_window, "AquaImage")->size(), QSize(200, 100));
  }

  void entry_field_starts_with_data() {
    QTest::addColumn<QString>("text");
    const char *const rows[][2] = {
        {"ValueA", "100.00"},   {"ValueB", "40.00"},  {"ValueC", "0.00"},      {"ValueD", "0.00"},
        {"HwaterBox", "50.00"}, {"HgrBox", "6.00"},   {"LampHBox", "10.00"},   {"PhBox", "7.00"},
        {"KhBox", "10"},        {"TstBox", "5"},      {"DnoLightBox", "1000"}, {"TempKBox", "22"},
        {"TempAquaBox", "25"},  {"BeginGWBox", "14"}, {"EndGWBox", "5"},       {"PodGWBox", "0"},
    };
    for (const auto &row : rows) QTest::newRow(row[0]) << QString::fromLatin1(row[1]);
  }
  void entry_field_starts_with() {
    QFETCH(QString, text);
    auto *field =
        qobject_cast<vx::TRxSpinEdit *>(control(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(field);
    QCOMPARE(field->text(), text);
    QVERIFY(field->isEnabled());
    QVERIFY(!field->font().bold());
  }

  void result_field_is_bold_read_only_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("places");
    // Before the first showing each shows its pattern with a zero.
    QTest::newRow("VAquaBox") << "0.00 л" << 2;
    QTest::newRow("VGrBox") << "0.00 кг" << 2;
    QTest::newRow("BugerBox") << "0 Lm" << 2;
    QTest::newRow("Co2Box") << "0 мг/л" << 0;
    QTest::newRow("TempWBox") << "0 W" << 0;
    QTest::newRow("PodVBox") << "0 %" << 0;
  }
  void result_field_is_bold_read_only() {
    QFETCH(QString, format);
    QFETCH(int, places);

    auto *field =
        qobject_cast<vx::TCurrencyEdit *>(control(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(field);
    QCOMPARE(field->DisplayFormat(), format);
    QCOMPARE(field->DecimalPlaces(), places);
    QCOMPARE(field->displayText(), format);
    // A screen reader hears it under the caption of its box, its only label.
    QCOMPARE(field->accessibleName(), qobject_cast<QGroupBox *>(field->parentWidget())->title());
    QVERIFY(!field->isEnabled());
    QVERIFY(field->font().bold());
    QCOMPARE(QFontInfo(field->font()).family(), QStringLiteral("Liberation Sans"));
  }

  void calc_buttons_are_bold_green() {
    showWindow();  // the green is chosen for the size the buttons are shown at
    const QList<QPushButton *> buttons = m_window->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 5);  // one a calculator
    for (QPushButton *button : buttons) {
      QVERIFY2(button->font().bold(), qPrintable(button->objectName()));
      // The designed (0, 128, 0), or the green next to it that the light face
      // needs to reach 4.5 : 1 (tst_readable_colours measures the contrast).
      const QColor green = button->property("captionColour").value<QColor>();
      QCOMPARE(green.red(), 0);
      QCOMPARE(green.blue(), 0);
      QVERIFY2(qAbs(green.green() - 128) <= 2, qPrintable(green.name()));
      // A disabled button keeps the platform's greyed caption, not the green.
      QVERIFY(button->palette().color(QPalette::Disabled, QPalette::ButtonText) != green);
      QVERIFY(button->icon().isNull());
      QVERIFY(button->isEnabled());
    }
  }

  void group_frame_runs_above_its_field_data() {
    QTest::addColumn<QString>("box");
    for (const char *name : {"GroupBox2", "GroupBox10", "Gr", "GroupBox1"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }
  void group_frame_runs_above_its_field() {
    // The fields stand 16 pixels from the top of their box; the frame's top
    // line must pass above them, through the caption, not across the field.
    QFETCH(QString, box);
    QWidget *group = control(box);
    showWindow();
    const QImage image = group->grab().toImage();
    const QColor face = group->palette().color(QPalette::Window);
    const int x = group->width() - 4;  // right of any caption
    int frameTop = -1;
    for (int y = 0; y < image.height() && frameTop < 0; ++y)
      if (image.pixelColor(x, y) != face) frameTop = y;
    QVERIFY2(frameTop >= 0 && frameTop < 12, qPrintable(QString::number(frameTop)));
  }

  void reflector_list_and_picture() {
    QComboBox *ref = controlOf<QComboBox>(*m_window, "RefBox");
    QVERIFY(ref->isEditable());
    QCOMPARE(ref->count(), 4);
    const QStringList entries{"Нет", "Трапеция", "Парабола", "Kvib"};
    for (int i = 0; i < entries.size(); ++i) QCOMPARE(ref->itemText(i), entries[i]);
    QCOMPARE(ref->currentIndex(), 0);
    QCOMPARE(ref->currentText(), QStringLiteral("Нет"));

    QLabel *panel = controlOf<QLabel>(*m_window, "Co2Panel");
    QVERIFY(panel->font().bold());
    QCOMPARE(panel->alignment(), Qt::AlignCenter);
    QCOMPARE(panel->palette().color(QPalette::Window), kLime);
    QCOMPARE(panel->focusPolicy(), Qt::NoFocus);

    PictureControl *picture = controlOf<PictureControl>(*m_window, "AquaImage");
    QCOMPARE(picture->toolTip(), QStringLiteral("Выбор типа аквариума"));
    QCOMPARE(picture->picture(), shapePicture(0));
    QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    QCOMPARE(m_window->tankState().AquaType, 0);
  }

  void tab_walks_groups_in_order() {
    showWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    controlOf<vx::TRxSpinEdit>(*m_window, "ValueA")->setFocus(Qt::TabFocusReason);

    const QStringList expected{
        "ValueB",        "ValueC",      "ValueD",    "HwaterBox",   "HgrBox",       "TstBox",
        "VolumeCalcBtn", "DnoLightBox", "LampHBox",  "RefBox",      "LightCalcBtn", "PhBox",
        "KhBox",         "Co2CalcBtn",  "TempKBox",  "TempAquaBox", "TempCalcBtn",  "BeginGWBox",
        "EndGWBox",      "PodGWBox",    "GhCalcBtn", "ValueA",
    };
    QStringList walked;
    for (qsizetype i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget *focus = QApplication::focusWidget();
      QVERIFY(focus);
      // An editable combo box keeps the focus in its line edit.
      walked << (focus->parentWidget() == controlOf<QComboBox>(*m_window, "RefBox")
                     ? QStringLiteral("RefBox")
                     : focus->objectName());
    }
    QCOMPARE(walked, expected);
  }

  void first_showing_fills_results_data() {
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("thousands");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, QChar decimal, QChar thousands, const char *field,
                        const char *shown) {
      QTest::newRow(name) << decimal << thousands << field << shown;
    };

    // One value per calculator; the soil on a comma desktop, since the field
    // rules compute the separators.
    row("volume", QChar(u'.'), QChar(u','), "VAquaBox", "193.05 л");
    row("soil, comma", QChar(u','), QChar(u'.'), "VGrBox", "40,54 кг");
    row("flux", QChar(u'.'), QChar(u','), "BugerBox", "3757 Lm");
    row("co2", QChar(u'.'), QChar(u','), "Co2Box", "35 мг/л");
    row("heater", QChar(u'.'), QChar(u','), "TempWBox", "58 W");
    row("hardness", QChar(u'.'), QChar(u','), "PodVBox", "64 %");
  }
  void first_showing_fills_results() {
    QFETCH(QChar, decimal);
    QFETCH(QChar, thousands);
    QFETCH(QString, field);
    QFETCH(QString, shown);

    makeWindow(decimal, thousands);
    showWindow();
    auto *result = qobject_cast<vx::TCurrencyEdit *>(control(field));
    QVERIFY(result);
    QCOMPARE(result->displayText(), shown);
    QCOMPARE(result->text(), shown);
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->text(), QStringLiteral("Норма"));
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->palette().color(QPalette::Window), kLime);
    QVERIFY(m_alerts.errors.isEmpty());
    QVERIFY(m_alerts.reports.isEmpty());
  }

  void first_showing_runs_once() {
    showWindow();
    const auto *share = controlOf<vx::TCurrencyEdit>(*m_window, "PodVBox");
    const QString shown = share->displayText();
    controlOf<vx::TRxSpinEdit>(*m_window, "PodGWBox")->setValue(2);
    m_window->hide();
    m_window->show();
    QCOMPARE(share->displayText(), shown);
    controlOf<QPushButton>(*m_window, "GhCalcBtn")->click();
    QVERIFY(share->displayText() != shown);
  }

  void init_presses_disabled_buttons_too() {
    // The picker disables the lighting button for shapes without a lit
    // rectangle; the start-up run must not depend on it.
    controlOf<QPushButton>(*m_window, "LightCalcBtn")->setEnabled(false);
    showWindow();
    QVERIFY(controlOf<vx::TCurrencyEdit>(*m_window, "BugerBox")->displayText() != u"0 Lm");
  }

  void init_fault_stops_later_calculations() {
    controlOf<vx::TRxSpinEdit>(*m_window, "PhBox")->setText(QStringLiteral("-12"));
    showWindow();

    QVERIFY(m_window->isVisible());
    QCOMPARE(m_alerts.reports.size(), 1);
    QCOMPARE(m_alerts.reports[0].caption, QStringLiteral("Vembrix"));
    QCOMPARE(m_alerts.reports[0].text, QStringLiteral("Invalid floating point operation."));
    // Before the fault: computed (no longer the start text); the fault's own
    // write stays.
    QVERIFY(controlOf<vx::TCurrencyEdit>(*m_window, "VAquaBox")->displayText() != u"0.00 л");
    QVERIFY(controlOf<vx::TCurrencyEdit>(*m_window, "BugerBox")->displayText() != u"0 Lm");
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "Co2Box")->displayText(),
             QStringLiteral("3.48708194642607E20"));
    // After it: never run.
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "TempWBox")->displayText(),
             QStringLiteral("0 W"));
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "PodVBox")->displayText(),
             QStringLiteral("0 %"));

    // And the window works as usual afterwards.
    controlOf<QPushButton>(*m_window, "TempCalcBtn")->click();
    QVERIFY(controlOf<vx::TCurrencyEdit>(*m_window, "TempWBox")->displayText() != u"0 W");
  }

  void hardness_fault_is_reported_and_program_goes_on() {
    showWindow();
    const auto *share = controlOf<vx::TCurrencyEdit>(*m_window, "PodVBox");
    const QString shown = share->displayText();
    controlOf<vx::TRxSpinEdit>(*m_window, "PodGWBox")->setValue(14);  // b = p
    controlOf<QPushButton>(*m_window, "GhCalcBtn")->click();
    QCOMPARE(m_alerts.reports.size(), 1);
    QCOMPARE(m_alerts.reports[0].caption, QStringLiteral("Vembrix"));
    QCOMPARE(m_alerts.reports[0].text, QStringLiteral("Floating point division by zero."));
    QCOMPARE(share->displayText(), shown);

    controlOf<vx::TRxSpinEdit>(*m_window, "PodGWBox")->setValue(2);
    controlOf<QPushButton>(*m_window, "GhCalcBtn")->click();
    QVERIFY(share->displayText() != shown);
    QCOMPARE(m_alerts.reports.size(), 1);
  }

  void co2_fault_leaves_rating_panel_alone() {
    showWindow();
    controlOf<vx::TRxSpinEdit>(*m_window, "PhBox")->setValue(8);
    controlOf<QPushButton>(*m_window, "Co2CalcBtn")->click();
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->text(), QStringLiteral("Недостаток"));

    controlOf<vx::TRxSpinEdit>(*m_window, "PhBox")->setValue(-12);
    controlOf<QPushButton>(*m_window, "Co2CalcBtn")->click();
    QCOMPARE(m_alerts.reports.size(), 1);
    QCOMPARE(m_alerts.reports[0].text, QStringLiteral("Invalid floating point operation."));
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "Co2Box")->displayText(),
             QStringLiteral("3.48708194642607E20"));
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->text(), QStringLiteral("Недостаток"));
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->palette().color(QPalette::Window), kAqua);

    controlOf<vx::TRxSpinEdit>(*m_window, "PhBox")->setValue(6.5L);
    controlOf<QPushButton>(*m_window, "Co2CalcBtn")->click();
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->text(), QStringLiteral("Избыток"));
    QCOMPARE(controlOf<QLabel>(*m_window, "Co2Panel")->palette().color(QPalette::Window),
             QColor(255, 255, 0));
  }

  void failed_shape_test_shows_error_box() {
    showWindow();
    m_window->applyShape(2);
    controlOf<vx::TRxSpinEdit>(*m_window, "ValueA")->setValue(40);
    controlOf<vx::TRxSpinEdit>(*m_window, "ValueB")->setValue(40);
    const QString shown = controlOf<vx::TCurrencyEdit>(*m_window, "VAquaBox")->displayText();
    controlOf<QPushButton>(*m_window, "VolumeCalcBtn")->click();

    QCOMPARE(m_alerts.errors, QStringList{QStringLiteral("Неверные входные данные !")});
    QVERIFY(m_alerts.reports.isEmpty());
    // Kept base area times the unchanged water height: the volume as it was.
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "VAquaBox")->displayText(), shown);
  }

  void reflector_follows_edited_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("errorBox");
    const auto row = [](const char *name, const char *text, const char *shown, bool errorBox) {
      QTest::newRow(name) << text << shown << errorBox;
    };
    row("chosen entry", "Парабола", "1708 Lm", false);
    row("typed in lower case", "трапеция", "1879 Lm", false);
    row("typed in upper case", "KVIB", "1566 Lm", false);
    row("names no reflector", "Зеркало", "3757 Lm", true);
    row("emptied", "", "3757 Lm", true);
  }
  void reflector_follows_edited_text() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, errorBox);

    showWindow();
    controlOf<QComboBox>(*m_window, "RefBox")->setEditText(text);
    controlOf<QPushButton>(*m_window, "LightCalcBtn")->click();
    QCOMPARE(controlOf<vx::TCurrencyEdit>(*m_window, "BugerBox")->displayText(), shown);
    QCOMPARE(m_alerts.errors.size(), errorBox ? 1 : 0);
    QCOMPARE(controlOf<QComboBox>(*m_window, "RefBox")->count(), 4);
  }

  void unreadable_input_stops_calculation_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("stops");

    struct Calculation {
      const char *name, *button, *realField, *wholeField;
    };
    // CO2 has no whole-number field: its real one takes a number beyond range.
    const Calculation calculations[] = {
        {"volume", "VolumeCalcBtn", "HgrBox", "TstBox"},
        {"lighting", "LightCalcBtn", "LampHBox", "DnoLightBox"},
        {"co2", "Co2CalcBtn", "PhBox", "KhBox"},
        {"heater", "TempCalcBtn", "TempKBox", "TempAquaBox"},
        {"hardness", "GhCalcBtn", "BeginGWBox", "PodGWBox"},
    };
    for (const Calculation &c : calculations) {
      const auto row = [&](const char *what, const char *field, const char *text) {
        QTest::addRow("%s, %s in %s", c.name, what, field)
            << QString::fromLatin1(c.button) << QString::fromLatin1(field)
            << QString::fromLatin1(text) << 0 << true;
      };
      row("empty text", c.realField, "");
      row("lone sign", c.wholeField, "-");
      row("lone separator", c.realField, ".");
      row("separator, exponent", c.realField, ".E5");
      row("letters", c.wholeField, "12abc");
      row("other separator", c.realField, "12,5");
      const bool co2 = QByteArray(c.name) == "co2";
      row(co2 ? "beyond range" : "out of range", co2 ? c.realField : c.wholeField,
          co2 ? "1e99999" : "2147483648");
    }
    const auto side = [](const char *what, const char *field, const char *text, int shape,
                         bool stops) {
      QTest::addRow("volume, %s", what) << "VolumeCalcBtn" << field << text << shape << stops;
    };
    side("side A emptied", "ValueA", "", 0, true);
    side("D of a bevelled tank", "ValueD", "", 1, true);
    side("C unused by a rectangle", "ValueC", ".", 0, false);
    side("B unused by a hexagon", "ValueB", "abc", 5, false);
  }
  void unreadable_input_stops_calculation() {
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, shape);
    QFETCH(bool, stops);

    showWindow();
    m_window->applyShape(shape);
    qobject_cast<vx::TRxSpinEdit *>(control(field))->setText(text);
    const Outcome before = outcomeOf(*m_window);
    qobject_cast<QPushButton *>(control(button))->click();

    QVERIFY(m_alerts.reports.isEmpty());
    if (stops) {
      QCOMPARE(m_alerts.errors, QStringList{QStringLiteral("Неверные входные данные !")});
      QVERIFY(outcomeOf(*m_window) == before);
    } else {
      QVERIFY(m_alerts.errors.isEmpty());
      // Converted as ever: the text read as 0, less two glass thicknesses.
      const vx::TankState &tank = m_window->tankState();
      QCOMPARE(field == u"ValueB" ? tank.DimB : tank.DimC, -0.1);
    }
  }

  void pressed_calculation_is_announced_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("sentence");
    const auto row = [](const char *name, const char *button, const char *field, double value,
                        int shape, const char *sentence) {
      QTest::newRow(name) << button << field << value << shape << sentence;
    };

    // Each result after its caption, as shown; units a Russian voice would
    // spell out as letters are words. Nothing after a box has spoken.
    row("volume", "VolumeCalcBtn", "ValueA", 120.0, -1, "Объем воды 232.05 л, вес грунта 48.73 кг");
    row("lighting", "LightCalcBtn", "", 0.0, -1, "Необходимая мощность 3757 люмен");
    row("co2 ends with the rating", "Co2CalcBtn", "PhBox", 6.5, -1,
        "Содержание СО2 110 мг/л, избыток");
    row("heater", "TempCalcBtn", "", 0.0, -1, "Необходимая мощность 58 ватт");
    row("hardness", "GhCalcBtn", "", 0.0, -1, "Объем подмены 64 %");
    row("fault report", "GhCalcBtn", "PodGWBox", 14.0, -1, "");
    row("error box", "VolumeCalcBtn", "ValueA", 40.0, 2, "");
  }
  void pressed_calculation_is_announced() {
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(int, shape);
    QFETCH(QString, sentence);

    QSignalSpy said(&Announcer::instance(), &Announcer::said);
    showWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(said.count(), 0);  // the calculations of the first showing say nothing

    if (!field.isEmpty()) m_window->findChild<vx::TRxSpinEdit *>(field)->setValue(value);
    if (shape >= 0) {
      m_window->applyShape(shape);
      said.clear();  // the pick's own sentence
    }
    m_window->findChild<QPushButton *>(button)->click();
    QTest::qWait(0);  // a sentence waits for nothing but the focus

    QStringList heard;
    for (const QList<QVariant> &args : said) heard << args.at(1).toString();
    QCOMPARE(heard, sentence.isEmpty() ? QStringList{} : QStringList{sentence});
    m_alerts.clear();
  }

  void enter_presses_a_focused_calc_button_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("runs");
    const auto row = [](const char *name, const char *target, Qt::Key key,
                        Qt::KeyboardModifiers modifiers, bool runs) {
      QTest::newRow(name) << target << int(key) << int(modifiers) << runs;
    };
    row("Enter", "VolumeCalcBtn", Qt::Key_Return, Qt::NoModifier, true);
    row("keypad Enter", "VolumeCalcBtn", Qt::Key_Enter, Qt::KeypadModifier, true);
    row("Space as ever", "VolumeCalcBtn", Qt::Key_Space, Qt::NoModifier, true);
    row("Ctrl+Enter", "VolumeCalcBtn", Qt::Key_Return, Qt::ControlModifier, false);
    row("Enter in an entry field", "HwaterBox", Qt::Key_Return, Qt::NoModifier, false);
  }
  void enter_presses_a_focused_calc_button() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, runs);

    showWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    controlOf<vx::TRxSpinEdit>(*m_window, "ValueA")->setValue(120);
    QWidget *focus = control(target);
    focus->setFocus(Qt::TabFocusReason);
    const auto *water = controlOf<vx::TRxSpinEdit>(*m_window, "HwaterBox");
    const QString text = water->text();
    const auto *volume = controlOf<vx::TCurrencyEdit>(*m_window, "VAquaBox");
    const QString before = volume->displayText();
    QTest::keyClick(focus, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(volume->displayText() != before, runs);
    QCOMPARE(water->text(), text);
  }

private:
  void makeWindow(QChar decimal, QChar thousands) {
    m_window.reset();
    m_regional = std::make_unique<vx::RegionalSettings>(decimal, thousands);
    m_window = std::make_unique<TMainFrm>(*m_regional, m_alerts);
  }

  void showWindow() {
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
  }

  QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }

  std::unique_ptr<vx::RegionalSettings> m_regional;
  RecordingAlerts m_alerts;
  std::unique_ptr<TMainFrm> m_window;
  std::unique_ptr<ModalWatchdog> m_watchdog;
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
