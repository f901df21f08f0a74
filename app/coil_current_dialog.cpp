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
    : QDialog(parent), coil_(now)
{
    setObjectName(QStringLiteral("coilCurrentDialog"));
    setWindowTitle(QStringLiteral("Ток и витки"));
    turnsEdit_ = MakeDialogEdit(this, "turnsEdit", now ? QString::number(now->turns) : QString(),
                                "целое число от 1 до 1000000");
    currentEdit_ = MakeDialogEdit(this, "currentEdit", now ? EditableNumberText(now->amperes) : QString(),
                                  "от -1000 до 1000 А, не 0; знак — направление тока");
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Число витков N:"), turnsEdit_);
    form->addRow(QStringLiteral("&Ток I, А:"), currentEdit_);
    auto* hint = new QLabel(QStringLiteral("Поле покажется и в СИ: H в А/м, B = μ0·N/L·I/2 в мТл.\n"
                                           "Оба поля пустые — только единицы n·I/2."),
                            this);
    form->addRow(hint);
    form->addRow(MakeOkCancelButtons(this));
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
        ShowProblem(this, QString::fromStdString(Text(!turns.turns ? turns.refusal : current.refusal, ShownLanguage())));
        wrong->setFocus();
        wrong->selectAll();
        return;  // the values stay as they were
    }
    coil_ = CoilCurrent{*turns.turns, *current.amperes};
    QDialog::accept();
}
