#include "app/program_settings.h"

QSettings ProgramSettings()
{
    return QSettings(QStringLiteral("Zoreks"), QStringLiteral("Zoreks"));
}
