#pragma once

#include <QDialog>

// A dialog whose texts follow the shown language: retranslate() writes them,
// called at the end of the dialog's constructor and again on every change of
// language, while the dialog is open too.
class TranslatedDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    virtual void retranslate() = 0;
    void changeEvent(QEvent* event) override;
};
