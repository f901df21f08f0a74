#include "app/dialog_parts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/message_boxes.h"

namespace {

// «ОК» and «Отмена» in the shown language, also after Qt has written its
// own texts on a change of language.
class OkCancelButtons final : public QDialogButtonBox {
public:
    explicit OkCancelButtons(QWidget* parent) : QDialogButtonBox(Ok | Cancel, parent) { retranslate(); }

protected:
    void changeEvent(QEvent* event) override
    {
        QDialogButtonBox::changeEvent(event);
        if (event->type() == QEvent::LanguageChange)
            retranslate();
    }

private:
    void retranslate()
    {
        button(Ok)->setText(QCoreApplication::translate("Zoreks", "ОК"));
        button(Cancel)->setText(QCoreApplication::translate("Zoreks", "Отмена"));
    }
};

}  // namespace

QLineEdit* MakeDialogEdit(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

void SetToolTip(QWidget* widget, const QString& toolTip)
{
    widget->setToolTip(toolTip);
    widget->setAccessibleDescription(toolTip);
}

QLabel* AddLabelledRow(QFormLayout* form, QWidget* field)
{
    auto* label = new QLabel(form->parentWidget());
    label->setBuddy(field);
    form->addRow(label, field);
    return label;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog)
{
    auto* buttons = new OkCancelButtons(dialog);
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
