#include "ui/accessibility/spoken_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

struct UnitWord {
  const char *pattern;
  const char *word;
};

// Whole words only: "W" in a longer word is not watts.
const UnitWord kUnitWords[] = {
    {R"(\bLx\b)", "люкс"},
    {R"(\bLm\b)", "люмен"},
    {R"(\bW\b)", "ватт"},
    {R"(нем\. грд)", "немецких градусов"},
};

QString lowerFirst(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text;
}

}  // namespace

QString spokenUnits(QString text) {
  for (const UnitWord &unit : kUnitWords)
    text.replace(QRegularExpression(QString::fromUtf8(unit.pattern)), QString::fromUtf8(unit.word));
  return text;
}

QString spokenResults(const QList<const QWidget *> &shown) {
  QStringList parts;
  for (const QWidget *w : shown) {
    QString part;
    if (const auto *result = qobject_cast<const QLineEdit *>(w)) {
      const auto *box = qobject_cast<const QGroupBox *>(result->parentWidget());
      part = (box ? box->title() + u' ' : QString()) + result->text();
    } else if (const auto *panel = qobject_cast<const QLabel *>(w)) {
      part = panel->text();
    }
    if (part.isEmpty()) continue;
    parts << (parts.isEmpty() ? part : lowerFirst(part));
  }
  return spokenUnits(parts.join(QStringLiteral(", ")));
}

QString spokenShapeChoice(const QString &shape, const QStringList &unusedSides,
                          bool lightingAvailable) {
  QStringList sentences;
  if (!shape.isEmpty()) sentences << shape;
  if (unusedSides.isEmpty())
    sentences << QStringLiteral("Используются все стороны");
  else if (unusedSides.size() == 1)
    sentences << QStringLiteral("Не используется сторона ") + unusedSides.front();
  else
    sentences << QStringLiteral("Не используются стороны ") +
                     unusedSides.join(QStringLiteral(", "));
  sentences << (lightingAvailable ? QStringLiteral("Расчет освещения доступен")
                                  : QStringLiteral("Расчет освещения недоступен"));
  return sentences.join(QStringLiteral(". ")) + u'.';
}
