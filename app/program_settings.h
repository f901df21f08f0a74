#pragma once

#include <QSettings>

// The user's settings of the program, kept from one start to the next: the
// recent files and the language chosen.
QSettings ProgramSettings();
