// The program's own accessible interfaces, in process: that the replaced
// combo-box interface keeps the tree a screen reader walks consistent and that a
// picture's press waits for the event loop as a click does. What a screen
// reader finally hears is checked through the real bridge with Orca itself in
// tst_screen_reader.py (the offscreen platform has no bridge to send events to).

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "fields/rules/regional_settings.h"
#include "fields/widgets/entry/rx_spin_edit.h"
#include "support/find_control.h"
#include "support/modal_watchdog.h"
#include "support/shown_windows.h"
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/controls/picture_control.h"
#include "ui/app/startup.h"

class TestAccessibility : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { setUpApplication(); }

  void init() { m_shown.start(); }
  void cleanup() { m_shown.finish(); }

  void forms_are_frames_named_for_what_they_do() {
    // The picker's caption is a class name; it is heard by what it is for.
    const std::pair<QWidget *, QString> forms[] = {
        {&main(), QStringLiteral("Vembrix")}, {&picker(), QStringLiteral("Выбор типа аквариума")}};
    for (const auto &[form, name] : forms) {
      QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(form);
      QVERIFY(iface);
      QCOMPARE(iface->role(), QAccessible::Window);
      QCOMPARE(iface->text(QAccessible::Name), name);
    }
  }

  void combo_box_children_lead_back_to_it() {
    QAccessibleInterface *combo =
        QAccessible::queryAccessibleInterface(controlOf<QComboBox>(main(), "RefBox"));
    QVERIFY(combo);
    QCOMPARE(combo->role(), QAccessible::ComboBox);
    QCOMPARE(combo->text(QAccessible::Name), QStringLiteral("Тип отражателя"));

    controlOf<QComboBox>(main(), "RefBox")->setEditText(QStringLiteral("Парабола"));
    QCOMPARE(combo->text(QAccessible::Value), QStringLiteral("Парабола"));

    // The list and the text line, each with its way back: a child whose parent
    // or index disagrees makes a screen reader's tree walk loop or stop short.
    QCOMPARE(combo->childCount(), 2);
    for (int i = 0; i < combo->childCount(); ++i) {
      QAccessibleInterface *child = combo->child(i);
      QVERIFY(child);
      QCOMPARE(combo->indexOfChild(child), i);
      QCOMPARE(child->parent(), combo);
    }
    QCOMPARE(combo->child(0)->object(), controlOf<QComboBox>(main(), "RefBox")->view());
    QCOMPARE(combo->child(1)->object(), controlOf<QComboBox>(main(), "RefBox")->lineEdit());
  }

  void combo_box_menu_action_opens_and_closes_the_list() {
    QAccessibleInterface *combo =
        QAccessible::queryAccessibleInterface(controlOf<QComboBox>(main(), "RefBox"));
    QAccessibleActionInterface *actions = combo->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    QVERIFY(combo->state().collapsed);

    actions->doAction(QAccessibleActionInterface::showMenuAction());
    QTRY_VERIFY(controlOf<QComboBox>(main(), "RefBox")->view()->isVisible());
    QVERIFY(combo->state().expanded);

    actions->doAction(QAccessibleActionInterface::showMenuAction());
    QTRY_VERIFY(!controlOf<QComboBox>(main(), "RefBox")->view()->isVisible());
    QVERIFY(combo->state().collapsed);
  }

  void picture_is_named_by_tooltip_else_caption_data() {
    QTest::addColumn<bool>("inPicker");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("actions");
    const auto row = [](const char *tag, bool inPicker, const char *name, const char *description,
                        const QStringList &actions) {
      QTest::newRow(tag) << inPicker << name << description << actions;
    };
    const QString press = QAccessibleActionInterface::pressAction();
    const QString focus = QAccessibleActionInterface::setFocusAction();
    // The main window's picture takes no focus: its description names the key.
    row("main AquaImage", false, "Выбор типа аквариума", "Клавиша F4", QStringList{press});
    row("AquaImage", true, "Прямоугольный", "", QStringList{press, focus});
    row("Image5", true, "Шестиугольный", "", QStringList{press, focus});
  }
  void picture_is_named_by_tooltip_else_caption() {
    QFETCH(bool, inPicker);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QStringList, actions);

    QWidget *form = inPicker ? static_cast<QWidget *>(&picker()) : &main();
    auto *picture = form->findChild<PictureControl *>(
        QString::fromLatin1(QTest::currentDataTag()).section(u' ', -1));
    QVERIFY(picture);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(picture);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    // Never the tooltip again, which already is the name.
    QCOMPARE(iface->text(QAccessible::Description), description);
    QCOMPARE(iface->actionInterface()->actionNames(), actions);
  }

  void picture_press_acts_later_as_a_click_does() {
    QAccessibleInterface *opener =
        QAccessible::queryAccessibleInterface(controlOf<PictureControl>(main(), "AquaImage"));
    opener->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // Not yet: the screen reader's call must return before a modal box or a
    // closing window could hold it up.
    QVERIFY(!picker().isVisible());
    QTRY_VERIFY(picker().isVisible());

    QAccessibleInterface *hexagon =
        QAccessible::queryAccessibleInterface(picker().shapePictures()[5]);
    hexagon->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(main().tankState().AquaType, 0);
    QTRY_COMPARE(main().tankState().AquaType, 5);
    QVERIFY(!picker().isVisible());
    QVERIFY(!controlOf<vx::TRxSpinEdit>(main(), "ValueB")->isEnabled());
    QVERIFY(!controlOf<QPushButton>(main(), "LightCalcBtn")->isEnabled());
  }

  void entry_field_is_a_spin_button_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stepped");
    const auto row = [](const char *field, const char *name, const char *value,
                        const char *stepped) { QTest::newRow(field) << name << value << stepped; };
    // Named by the caption of its box, units a Russian voice misreads as words.
    row("ValueA", "A, см", "100.00", "100.10");
    row("DnoLightBox", "Требуемый уровень на дне, люкс", "1000", "1001");
    row("KhBox", "kH, немецких градусов", "10", "11");
  }
  void entry_field_is_a_spin_button() {
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, stepped);

    auto *field = main().findChild<vx::TRxSpinEdit *>(QString::fromLatin1(QTest::currentDataTag()));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(field);
    QCOMPARE(iface->role(), QAccessible::SpinBox);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QVERIFY(iface->state().editable);
    QCOMPARE(iface->valueInterface()->currentValue().toDouble(), value.toDouble());

    // The whole text, and the selection a keyboard entry makes, as they are.
    QAccessibleTextInterface *text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), value.size());
    QCOMPARE(text->text(0, text->characterCount()), value);
    field->selectAll();
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(text->text(start, end), value);

    QAccessibleActionInterface *actions = iface->actionInterface();
    actions->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(iface->text(QAccessible::Value), stepped);
    actions->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(field->text(), value);

    iface->editableTextInterface()->replaceText(0, text->characterCount(), stepped);
    QCOMPARE(field->text(), stepped);
  }

private:
  TMainFrm &main() { return m_shown.main(); }
  TAquaTypeFrm &picker() { return m_shown.picker(); }

  ShownWindows m_shown;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
