// The floor of the program's start-up: a plain Qt Widgets window of the main
// window's size with the same font set-up but none of the program's own code.
// What the program needs beyond it is what its own start-up costs; the
// reference it is measured against is reference_window.cpp.
//
//   bare_window          about 40 ordinary widgets: five framed groups,
//                        fifteen captioned line edits, five bold buttons
//   bare_window --full   the program's widget inventory (status bar, 28
//                        group boxes, 16 line edits with a spin-button child,
//                        6 bold read-only ones, 5 buttons, an editable combo
//                        box, a panel, a picture, and a hidden second window
//                        of six captioned pictures), to tell the cost of the
//                        widget count from the cost of the program's code

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <cstring>

namespace {

void makeBold(QWidget *w) {
  QFont bold = w->font();
  bold.setBold(true);
  w->setFont(bold);
}

QGroupBox *group(QWidget *parent, const QString &caption, const QRect &geometry) {
  auto *box = new QGroupBox(caption, parent);
  box->setGeometry(geometry);
  return box;
}

QLineEdit *field(QWidget *parent, int top, int value) {
  auto *inner = group(parent, QStringLiteral("Field"), {8, top, 201, 49});
  auto *edit = new QLineEdit(QString::number(value), inner);
  edit->setGeometry(8, 16, 185, 21);
  return edit;
}

QPushButton *button(QWidget *parent, int top) {
  auto *b = new QPushButton(QStringLiteral("Calculate"), parent);
  b->setGeometry(8, top, 201, 25);
  makeBold(b);
  return b;
}

void buildPlain(QWidget &window) {
  for (int g = 0; g < 5; ++g) {
    QGroupBox *outer = group(&window, QStringLiteral("Group %1").arg(g + 1),
                             {8 + (g % 3) * 224, g < 3 ? 8 : 288, 217, 273});
    for (int f = 0; f < 3; ++f) field(outer, 16 + f * 56, 10 * (f + 1));
    button(outer, 240);
  }
}

void buildFull(QWidget &window, QWidget &second) {
  auto *status = new QStatusBar(&window);
  status->setSizeGripEnabled(false);
  status->setGeometry(0, 569, 682, 19);

  // Entry fields and result fields per group, as the program's five groups.
  struct Column {
    QRect geometry;
    int entries, results;
  };
  const Column columns[] = {{{8, 8, 217, 553}, 7, 2},
                            {{232, 8, 217, 273}, 2, 1},
                            {{232, 288, 217, 273}, 2, 1},
                            {{456, 8, 217, 217}, 2, 1},
                            {{456, 280, 217, 281}, 3, 1}};
  for (const Column &c : columns) {
    QGroupBox *outer = group(&window, QStringLiteral("Group"), c.geometry);
    int top = 16;
    for (int e = 0; e < c.entries; ++e, top += 56) {
      QLineEdit *edit = field(outer, top, 10 * (e + 1));
      (new QWidget(edit))->setGeometry(169, 1, 15, 19);  // the spin button
    }
    for (int r = 0; r < c.results; ++r, top += 56) {
      QLineEdit *edit = field(outer, top, 0);
      makeBold(edit);
      edit->setReadOnly(true);
      edit->setEnabled(false);
    }
    button(outer, c.geometry.height() - 33);
  }
  // The combo box, the panel and the picture in the second and third group.
  const auto groups = window.findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
  auto *combo = new QComboBox(group(groups[1], QStringLiteral("Field"), {8, 128, 201, 49}));
  combo->setEditable(true);
  combo->addItems(
      {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
  combo->setGeometry(8, 16, 185, 21);
  auto *panel = new QLabel(QStringLiteral("Panel"), groups[2]);
  panel->setGeometry(8, 184, 201, 49);
  (new QLabel(groups[0]))->setGeometry(8, 16, 200, 100);

  second.setFont(window.font());
  second.setFixedSize(681, 281);
  for (int i = 0; i < 6; ++i) {
    QGroupBox *box =
        group(&second, QStringLiteral("Shape"), {8 + (i % 3) * 224, 8 + (i / 3) * 136, 217, 129});
    (new QLabel(box))->setGeometry(8, 16, 200, 100);
  }
}

}  // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("BareWindow"));

  QWidget window;
  window.setWindowTitle(QStringLiteral("BareWindow"));
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(11);
  window.setFont(font);
  window.setFixedSize(682, 588);

  QWidget second;  // stays hidden, as the program's picker
  if (argc > 1 && std::strcmp(argv[1], "--full") == 0)
    buildFull(window, second);
  else
    buildPlain(window);

  window.show();
  return app.exec();
}
