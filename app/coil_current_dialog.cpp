#include "app/coil_current_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialog_parts.h"
#include "app/shown_language.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"

CoilCurrentDialog::CoilCurrentDialog(const std::optional<CoilCurrent>& now, QWidget* parent)
    : TranslatedDialog(parent), coil_(now)
{
    setObjectName(QStringLiteral("coilCurrentDialog"));
    turnsEdit_ = MakeDialogEdit(this, "turnsEdit", now ? QString::number(now->turns) : QString());
    currentEdit_ = MakeDialogEdit(this, "currentEdit", now ? EditableNumberText(now->amperes) : QString());
    auto* form = new QFormLayout(this);
    turnsLabel_ = AddLabelledRow(form, turnsEdit_);
    currentLabel_ = AddLabelledRow(form, currentEdit_);
    hint_ = new QLabel(this);
    form->addRow(hint_);
    form->addRow(MakeOkCancelButtons(this));
    retranslate();
}

void CoilCurrentDialog::retranslate()
{
    setWindowTitle(tr("Ток и витки"));
    SetToolTip(turnsEdit_, tr("целое число от 1 до 1000000"));
    SetToolTip(currentEdit_, tr("от -1000 до 1000 А, не 0; знак — направление тока"));
    turnsLabel_->setText(tr("&Число витков N:"));
    currentLabel_->setText(tr("&Ток I, А:"));
    hint_->setText(tr("Поле покажется и в СИ: H в А/м, B = μ0·N/L·I/2 в мТл.\n"
                      "Оба поля пустые — только единицы n·I/2."));
}

void CoilCurrentDialog::accept()
{
    const QString turnsText = turnsEdit_->text().trimmed(), currentText = currentEdit_->text().trimmed();
    if (turnsText.isEmpty() && currentText.isEmpty()) {
        coil_.reset();
        QDialog::accept();
        return;
    }
    const TurnsReading turns = TurnsFromText(turnsText.toStdString());
    const AmperesReading current = AmperesFromText(currentText.toStdString());
    QLineEdit* wrong = !turns.turns ? turnsEdit_ : !current.amperes ? currentEdit_ : nullptr;
    if (wrong != nullptr) {
        ShowProblem(this, ShownText(!turns.turns ? turns.refusal : current.refusal));
        wrong->setFocus();
        wrong->selectAll();
        return;  // the values stay as they were
    }
    coil_ = CoilCurrent{*turns.turns, *current.amperes};
    QDialog::accept();
}
