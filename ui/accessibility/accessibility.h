#pragma once

class QWidget;

// What a screen reader gets from the windows, over and above what Qt's own
// accessible interfaces give: the forms as frames, the shape pictures as
// controls that can be pressed, and names and descriptions that tell the
// look-alike controls apart. Nothing here changes what is seen or the tab
// order.

// Installs the interfaces for the forms and the pictures. Once per process,
// before a screen reader first asks for a window.
void installAccessibleInterfaces();

// Names every group box by its own caption and a combo box by the caption of
// its box, and gives a button or result that shares its name with another of
// the form the caption of its calculator as description.
void describeForScreenReaders(QWidget *form);
