#include "window_test_support.h"

namespace {

// The message handler is a plain function, so what it catches lives here.
QtMessageHandler previousHandler = nullptr;
QStringList caughtWarnings;

// The offscreen platform cannot fix a window's size hints and says so for
// every fixed-size dialog; on a real desktop that works, so it is no fault of
// the program.
bool IsOffscreenPlatformNotice(const QString& message)
{
    return message == QStringLiteral("This plugin does not support propagateSizeHints()");
}

void TrapWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (IsOffscreenPlatformNotice(message))
        return;
    if (type != QtDebugMsg && type != QtInfoMsg)
        caughtWarnings << message;
    if (previousHandler)
        previousHandler(type, context, message);
}

}  // namespace

void InstallQtWarningTrap()
{
    QtMessageHandler previous = qInstallMessageHandler(TrapWarnings);
    if (previous != TrapWarnings)
        previousHandler = previous;
}

QStringList TakeQtWarnings()
{
    QStringList warnings;
    warnings.swap(caughtWarnings);
    return warnings;
}
