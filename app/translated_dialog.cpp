#include "app/translated_dialog.h"

#include <QEvent>

void TranslatedDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
