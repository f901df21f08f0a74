#include "app/dialog_parts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/message_boxes.h"

QLineEdit* MakeDialogEdit(QWidget* parent, const char* name, const QString& text, const char* toolTip)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(QString::fromUtf8(toolTip));
    edit->setAccessibleDescription(edit->toolTip());
    return edit;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void RefuseValue(QWidget* parent, QLineEdit* edit, const QString& reason)
{
    ShowProblem(parent, reason);
    edit->setFocus();
    edit->selectAll();
}
