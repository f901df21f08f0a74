#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

// What the program's small dialogs are made of.

// A one-line box with its object name, start text and tool tip, which a
// screen reader also announces.
QLineEdit* MakeDialogEdit(QWidget* parent, const char* name, const QString& text, const char* toolTip);

// The buttons «ОК» and «Отмена», which accept and reject the dialog.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

// Says why the value in the box is not usable and selects it for retyping;
// the dialog stays open.
void RefuseValue(QWidget* parent, QLineEdit* edit, const QString& reason);
