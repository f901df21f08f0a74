#include "app/uniform_region_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialog_parts.h"
#include "app/shown_language.h"
#include "app/number_texts.h"
#include "params/uniform_tolerance.h"

UniformRegionDialog::UniformRegionDialog(bool on, double percent, QWidget* parent)
    : TranslatedDialog(parent), on_(on), percent_(percent)
{
    setObjectName(QStringLiteral("uniformRegionDialog"));
    regionCheck_ = new QCheckBox(this);
    regionCheck_->setObjectName(QStringLiteral("regionCheck"));
    regionCheck_->setChecked(on);
    percentEdit_ = MakeDialogEdit(this, "percentEdit", EditableNumberText(percent));
    auto* form = new QFormLayout(this);
    form->addRow(regionCheck_);
    percentLabel_ = AddLabelledRow(form, percentEdit_);
    hint_ = new QLabel(this);
    form->addRow(hint_);
    form->addRow(MakeOkCancelButtons(this));
    retranslate();
}

void UniformRegionDialog::retranslate()
{
    setWindowTitle(tr("Однородная область"));
    regionCheck_->setText(tr("&Показать однородную область"));
    SetToolTip(percentEdit_, tr("больше 0 и не больше 100 %"));
    percentLabel_->setText(tr("&Допуск P, %:"));
    hint_->setText(tr("Обводится область, где модуль поля |H| отличается\n"
                      "от его значения в центре (z = 0, r = 0) меньше чем на P %."));
}

void UniformRegionDialog::accept()
{
    const bool on = regionCheck_->isChecked();
    const UniformPercentReading percent = UniformPercentFromText(percentEdit_->text().toStdString());
    if (on && !percent.percent) {
        RefuseValue(this, percentEdit_, ShownText(percent.refusal));
        return;  // the values stay as they were
    }
    on_ = on;
    if (percent.percent)
        percent_ = *percent.percent;
    QDialog::accept();
}
