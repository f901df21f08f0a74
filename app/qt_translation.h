#pragma once

class QCoreApplication;

// Installs Qt's own Russian texts for its standard dialogs and buttons ("Да",
// "Нет"), as shipped with Qt. False when they are not installed; Qt's English
// texts then remain.
bool InstallQtRussianTranslation(QCoreApplication& app);
