#pragma once

#include <QString>

class QDialog;
class QFormLayout;
class QLineEdit;
class QWidget;

// Pieces the program's small dialogs share.

// A box for a value, with its role name and a tool tip that screen readers
// read too.
QLineEdit* MakeDialogEdit(QWidget* parent, const char* name, const QString& text, const char* toolTip);

// The buttons "ОК" and "Отмена" as the form's last row: OK calls the
// dialog's accept(), which may refuse, Cancel closes it unchanged.
void AddOkCancel(QDialog* dialog, QFormLayout* form);

// Says why the value in the box is not usable and selects it for retyping;
// the dialog stays open.
void RefuseValue(QWidget* parent, QLineEdit* edit, const QString& reason);
