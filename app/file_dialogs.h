#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// The program's own file dialogs (never the system's, which a test cannot
// answer): for opening an existing file or for saving under any name.
void PrepareFileDialog(QFileDialog& dialog, const char* objectName, QFileDialog::AcceptMode mode,
                       const QStringList& filters);

// Asks for an existing file; empty when cancelled.
QString AskFileToOpen(QWidget* parent, const QString& title, const char* objectName, const QStringList& filters);
