#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>

#include "app/form1.h"
#include "app/system_desktop_actions.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.zoreks.Zoreks"));
    const QString iconPath = QStringLiteral(":/icons/zoreks-32.png");
    if (QFile::exists(iconPath))
        QApplication::setWindowIcon(QIcon(iconPath));

    SystemDesktopActions desktop;
    Form1 form1(desktop);  // in the language chosen last, else the system's
    form1.show();
    // "zoreks FILE": the lesson or the table of measured values opens at once.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        QTimer::singleShot(0, &form1, [&form1, path = arguments.at(1)] { form1.openFile(path); });
    return app.exec();
}
