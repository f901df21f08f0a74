#include "window_test_support.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

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

SeenMessageBox AnswerMessageBox(QMessageBox::StandardButton answer, const std::function<void()>& action)
{
    SeenMessageBox seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll.stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (QPushButton* standard = box->defaultButton()) {
            seen.defaultButton = box->standardButton(standard);
            seen.defaultButtonText = standard->text();
        }
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}
