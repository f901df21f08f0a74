#include "app/coil_pair_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog_parts.h"
#include "app/shown_language.h"
#include "app/number_texts.h"

CoilPairDialog::CoilPairDialog(bool on, const CoilPair& pair, double radius, QWidget* parent)
    : TranslatedDialog(parent), on_(on), pair_(pair)
{
    setObjectName(QStringLiteral("coilPairDialog"));
    pairCheck_ = new QCheckBox(this);
    pairCheck_->setObjectName(QStringLiteral("pairCheck"));
    pairCheck_->setChecked(on);
    distanceEdit_ = MakeDialogEdit(this, "distanceEdit", EditableNumberText(pair.distance));
    helmholtzButton_ = new QPushButton(this);
    helmholtzButton_->setObjectName(QStringLiteral("helmholtzButton"));
    opposedCheck_ = new QCheckBox(this);
    opposedCheck_->setObjectName(QStringLiteral("opposedCheck"));
    opposedCheck_->setChecked(pair.opposed);
    connect(helmholtzButton_, &QPushButton::clicked, this, [this, radius] {
        distanceEdit_->setText(EditableNumberText(radius));
        pairCheck_->setChecked(true);
    });

    auto* form = new QFormLayout(this);
    form->addRow(pairCheck_);
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(distanceEdit_);
    distanceRow->addWidget(helmholtzButton_);
    distanceLabel_ = new QLabel(this);
    distanceLabel_->setBuddy(distanceEdit_);
    form->addRow(distanceLabel_, distanceRow);
    form->addRow(opposedCheck_);
    hint_ = new QLabel(this);
    form->addRow(hint_);
    form->addRow(MakeOkCancelButtons(this));
    retranslate();
}

void CoilPairDialog::retranslate()
{
    setWindowTitle(tr("Пара катушек"));
    pairCheck_->setText(tr("&Две катушки на одной оси"));
    SetToolTip(distanceEdit_, tr("от 0 до 20 м"));
    helmholtzButton_->setText(tr("по &Гельмгольцу"));
    SetToolTip(helmholtzButton_, tr("D = R: самое однородное поле в середине пары"));
    opposedCheck_->setText(tr("в&стречное включение"));
    SetToolTip(opposedCheck_, tr("ток второй катушки (при z = +D/2) направлен обратно"));
    distanceLabel_->setText(tr("&Расстояние между серединами D, м:"));
    hint_->setText(tr("Катушки того же радиуса и длины, середины при z = −D/2 и z = +D/2.\n"
                      "Их линии — точные линии равного потока."));
}

void CoilPairDialog::accept()
{
    const bool on = pairCheck_->isChecked();
    const PairDistanceReading distance = PairDistanceFromText(distanceEdit_->text().toStdString());
    if (on && !distance.metres) {
        RefuseValue(this, distanceEdit_, ShownText(distance.refusal));
        return;  // the values stay as they were
    }
    on_ = on;
    if (distance.metres)
        pair_.distance = *distance.metres;
    pair_.opposed = opposedCheck_->isChecked();
    QDialog::accept();
}
