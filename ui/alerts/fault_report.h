#pragma once

#include <QString>

class Alerts;

// The text the fault report shows: the message with a full stop appended when
// it ends in a letter, a digit or anything else coded above '.', so
// "Floating point overflow" reads as a sentence while "Bad input !" or a
// message already ending in '.' or ')' is left alone.
QString withFullStop(const QString &message);

// Shows the report of a failed handler: captioned with the application's
// title, and with whatever mouse grab was in progress cancelled first (a
// button held down when its handler failed must not keep the mouse), and the
// window and focus that were active restored afterwards.
void showFaultReport(Alerts &alerts, const QString &message);

// For use inside a catch block: reports the exception being handled.
void reportCurrentException(Alerts &alerts);
