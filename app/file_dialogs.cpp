#include "app/file_dialogs.h"

void PrepareFileDialog(QFileDialog& dialog, const char* objectName, QFileDialog::AcceptMode mode,
                       const QStringList& filters)
{
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
}

QString AskFileToOpen(QWidget* parent, const QString& title, const char* objectName, const QStringList& filters)
{
    QFileDialog dialog(parent, title);
    PrepareFileDialog(dialog, objectName, QFileDialog::AcceptOpen, filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
