#pragma once

// Process-wide settings made once, before any window exists: the title that
// names the task-bar entry and captions the fault report, the window icon,
// Qt's Russian standard texts, the accessible interfaces a screen reader
// gets for the windows, and how the allocator holds large blocks.
void setUpApplication();

// Large blocks each in a mapping of their own, given back when freed (see
// startup.cpp).
void keepLargeBlocksMapped();

class QWidget;

// Shows the program's first window, its icon handed to the X server once;
// for the first window only (see startup.cpp).
void showMainWindow(QWidget &window);

// Installs Qt's Russian translation once; false when it is not installed on
// the system.
bool installRussianStandardTexts();
