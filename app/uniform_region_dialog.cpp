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
    : QDialog(parent), on_(on), percent_(percent)
{
    setObjectName(QStringLiteral("uniformRegionDialog"));
    setWindowTitle(QStringLiteral("Однородная область"));
    regionCheck_ = new QCheckBox(QStringLiteral("&Показать однородную область"), this);
    regionCheck_->setObjectName(QStringLiteral("regionCheck"));
    regionCheck_->setChecked(on);
    percentEdit_ = MakeDialogEdit(this, "percentEdit", EditableNumberText(percent), "больше 0 и не больше 100 %");
    auto* form = new QFormLayout(this);
    form->addRow(regionCheck_);
    form->addRow(QStringLiteral("&Допуск P, %:"), percentEdit_);
    form->addRow(new QLabel(QStringLiteral("Обводится область, где модуль поля |H| отличается\n"
                                           "от его значения в центре (z = 0, r = 0) меньше чем на P %."),
                            this));
    form->addRow(MakeOkCancelButtons(this));
}

void UniformRegionDialog::accept()
{
    const bool on = regionCheck_->isChecked();
    const UniformPercentReading percent = UniformPercentFromText(percentEdit_->text().toStdString());
    if (on && !percent.percent) {
        RefuseValue(this, percentEdit_, QString::fromStdString(Text(percent.refusal, ShownLanguage())));
        return;  // the values stay as they were
    }
    on_ = on;
    if (percent.percent)
        percent_ = *percent.percent;
    QDialog::accept();
}
