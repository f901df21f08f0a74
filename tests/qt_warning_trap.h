#pragma once
// Makes every Qt warning a test failure: install from initTestCase() (after Qt
// Test has set up its own message handling) and compare TakeQtWarnings() with
// nothing in cleanup().
#include <QStringList>
#include <QtGlobal>

#include <utility>

namespace qt_warning_trap {
inline QStringList caught;
inline QtMessageHandler previous = nullptr;

// The offscreen platform cannot fix a dialog's size or raise a tool tip and
// says so; on a real desktop that works, so it is no fault of the program.
inline void Trap(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == "This plugin does not support propagateSizeHints()" || message == "This plugin does not support raise()")
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        caught << message;
    if (previous)
        previous(type, context, message);
}
}  // namespace qt_warning_trap

inline void InstallQtWarningTrap()
{
    if (QtMessageHandler old = qInstallMessageHandler(qt_warning_trap::Trap); old != qt_warning_trap::Trap)
        qt_warning_trap::previous = old;
}

inline QStringList TakeQtWarnings() { return std::exchange(qt_warning_trap::caught, {}); }
