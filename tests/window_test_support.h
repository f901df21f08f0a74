#pragma once

#include <QStringList>

// Makes every Qt warning, critical or fatal message a test failure: install
// from initTestCase() (after Qt Test has set up its own message handling) and
// check from cleanup(). Test code only; the program never installs it.
void InstallQtWarningTrap();
// The warnings caught since the last call, and forgets them.
QStringList TakeQtWarnings();
