// The program's own accessible interfaces, in process: that the replaced
// combo-box interface keeps the tree a screen reader walks consistent and that a
// picture's press waits for the event loop as a click does. What a screen
// reader finally hears, and the change events, are checked through the real
// bridge in tst_accessibility_atspi.py (the offscreen platform has no bridge
// to send events to).

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
#include "support/recording_alerts.h"
#include "ui/windows/AquaTypeForm.h"
#include "ui/windows/MainForm.h"
#include "ui/app/application_windows.h"
#include "ui/controls/picture_control.h"
#include "ui/app/startup.h"

class TestAccessibility : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();

  void forms_are_frames_titled_by_their_caption();
  void combo_box_children_lead_back_to_it();
  void combo_box_menu_action_opens_and_closes_the_list();
  void picture_is_named_by_tooltip_else_caption_data();
  void picture_is_named_by_tooltip_else_caption();
  void picture_press_acts_later_as_a_click_does();

private:
  TMainFrm &main() { return m_windows->mainForm(); }
  TAquaTypeFrm &picker() { return m_windows->picker(); }

  vx::RegionalSettings m_regional{u'.', u','};
  RecordingAlerts m_alerts;
  std::unique_ptr<ModalWatchdog> m_watchdog;
  std::unique_ptr<ApplicationWindows> m_windows;
};

void TestAccessibility::initTestCase() { setUpApplication(); }

void TestAccessibility::init() {
  m_watchdog = std::make_unique<ModalWatchdog>();
  m_windows = std::make_unique<ApplicationWindows>(m_regional, m_alerts);
  main().show();
  QVERIFY(QTest::qWaitForWindowExposed(&main()));
}

void TestAccessibility::cleanup() {
  m_windows.reset();
  QVERIFY(m_alerts.errors.isEmpty());
  QVERIFY(m_alerts.reports.isEmpty());
  m_alerts.clear();
  m_watchdog->check();
}

void TestAccessibility::forms_are_frames_titled_by_their_caption() {
  for (QWidget *form : {static_cast<QWidget *>(&main()), static_cast<QWidget *>(&picker())}) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(form);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Window);
    QCOMPARE(iface->text(QAccessible::Name), form->windowTitle());
  }
}

void TestAccessibility::combo_box_children_lead_back_to_it() {
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

void TestAccessibility::combo_box_menu_action_opens_and_closes_the_list() {
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

void TestAccessibility::picture_is_named_by_tooltip_else_caption_data() {
  QTest::addColumn<bool>("inPicker");
  QTest::addColumn<QString>("name");

  QTest::newRow("main AquaImage") << false << "Выбор типа аквариума";
  QTest::newRow("AquaImage") << true << "Прямоугольный";
  QTest::newRow("Image5") << true << "Шестиугольный";
}

void TestAccessibility::picture_is_named_by_tooltip_else_caption() {
  QFETCH(bool, inPicker);
  QFETCH(QString, name);

  QWidget *form = inPicker ? static_cast<QWidget *>(&picker()) : &main();
  auto *picture = form->findChild<PictureControl *>(
      QString::fromLatin1(QTest::currentDataTag()).section(u' ', -1));
  QVERIFY(picture);
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(picture);
  QCOMPARE(iface->role(), QAccessible::Button);
  QCOMPARE(iface->text(QAccessible::Name), name);
  // The tooltip already is the name; a screen reader would say it twice.
  QCOMPARE(iface->text(QAccessible::Description), QString());
  QCOMPARE(iface->actionInterface()->actionNames(),
           QStringList{QAccessibleActionInterface::pressAction()});
}

void TestAccessibility::picture_press_acts_later_as_a_click_does() {
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
