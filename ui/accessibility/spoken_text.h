#pragma once

#include <QList>
#include <QString>

class QWidget;

// Texts as a Russian voice should read them: the Latin unit abbreviations
// (Lx, Lm, W) and "нем. грд" are read out as letters or cut short, so they
// are given as words.
QString spokenUnits(QString text);

// What a calculation shows, as one sentence: each result field's caption
// (the box it stands in) and shown text, then the caption of any panel,
// joined by commas: "Объем воды 232,05 л, вес грунта 48,73 кг".
QString spokenResults(const QList<const QWidget *> &shown);

// What a shape pick changed: "Шестиугольный. Не используются стороны B, C, D.
// Расчет освещения недоступен."
QString spokenShapeChoice(const QString &shape, const QStringList &unusedSides,
                          bool lightingAvailable);
