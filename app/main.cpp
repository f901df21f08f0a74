#include <QApplication>
#include <QFile>
#include <QIcon>

#include "app/form1.h"
#include "app/qt_translation.h"
#include "app/system_desktop_actions.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.zoreks.Zoreks"));
    const QString iconPath = QStringLiteral(":/icons/zoreks-32.png");
    if (QFile::exists(iconPath))
        QApplication::setWindowIcon(QIcon(iconPath));
    InstallQtRussianTranslation(app);

    SystemDesktopActions desktop;
    Form1 form1(desktop);
    form1.show();
    return app.exec();
}
