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
    : QDialog(parent), on_(on), pair_(pair)
{
    setObjectName(QStringLiteral("coilPairDialog"));
    setWindowTitle(QStringLiteral("Пара катушек"));
    pairCheck_ = new QCheckBox(QStringLiteral("&Две катушки на одной оси"), this);
    pairCheck_->setObjectName(QStringLiteral("pairCheck"));
    pairCheck_->setChecked(on);
    distanceEdit_ = MakeDialogEdit(this, "distanceEdit", EditableNumberText(pair.distance),
                                   "от 0 до 20 м");
    helmholtzButton_ = new QPushButton(QStringLiteral("по &Гельмгольцу"), this);
    helmholtzButton_->setObjectName(QStringLiteral("helmholtzButton"));
    helmholtzButton_->setToolTip(QStringLiteral("D = R: самое однородное поле в середине пары"));
    opposedCheck_ = new QCheckBox(QStringLiteral("в&стречное включение"), this);
    opposedCheck_->setObjectName(QStringLiteral("opposedCheck"));
    opposedCheck_->setToolTip(QStringLiteral("ток второй катушки (при z = +D/2) направлен обратно"));
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
    auto* distanceLabel = new QLabel(QStringLiteral("&Расстояние между серединами D, м:"), this);
    distanceLabel->setBuddy(distanceEdit_);
    form->addRow(distanceLabel, distanceRow);
    form->addRow(opposedCheck_);
    form->addRow(new QLabel(QStringLiteral("Катушки того же радиуса и длины, середины при z = −D/2 и z = +D/2.\n"
                                           "Их линии — точные линии равного потока."),
                            this));
    form->addRow(MakeOkCancelButtons(this));
}

void CoilPairDialog::accept()
{
    const bool on = pairCheck_->isChecked();
    const PairDistanceReading distance = PairDistanceFromText(distanceEdit_->text().toStdString());
    if (on && !distance.metres) {
        RefuseValue(this, distanceEdit_, QString::fromStdString(Text(distance.refusal, ShownLanguage())));
        return;  // the values stay as they were
    }
    on_ = on;
    if (distance.metres)
        pair_.distance = *distance.metres;
    pair_.opposed = opposedCheck_->isChecked();
    QDialog::accept();
}
