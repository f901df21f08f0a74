#pragma once

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;

// What the program's small dialogs are made of. Their texts are set, and set
// again on a change of language, by the dialogs' retranslate().

// A one-line box with its object name and start text.
QLineEdit* MakeDialogEdit(QWidget* parent, const char* name, const QString& text);

// The tool tip of a control, which a screen reader also announces.
void SetToolTip(QWidget* widget, const QString& toolTip);

// A row of the form: the field, with a label whose access key takes the
// focus to it.
QLabel* AddLabelledRow(QFormLayout* form, QWidget* field);

// The buttons «ОК» and «Отмена», which accept and reject the dialog; their
// texts follow the language.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

// Says why the value in the box is not usable and selects it for retyping;
// the dialog stays open.
void RefuseValue(QWidget* parent, QLineEdit* edit, const QString& reason);
