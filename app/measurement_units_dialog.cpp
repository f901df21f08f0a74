#include "app/measurement_units_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "app/dialog_parts.h"
#include "app/shown_language.h"
#include "measure/measurement_text.h"

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The first lines of the file as the reader will see them.
QString FileHead(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(qint64(kFileHeadBytes));
    QString head = FromUtf8(MeasurementFileHead(std::string_view(bytes.constData(), size_t(bytes.size()))));
    if (head.endsWith(QLatin1Char('\n')))
        head.chop(1);  // the label's last line needs no end
    return head;
}

template <typename Unit>
QComboBox* MakeUnitBox(QWidget* parent, const char* name, std::initializer_list<Unit> units, Unit now)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const Unit unit : units) {
        box->addItem(QString(), static_cast<int>(unit));
        if (unit == now)
            box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

// The units' symbols in the shown language.
template <typename Unit>
void ShowUnitSymbols(QComboBox* box)
{
    for (int i = 0; i < box->count(); ++i)
        box->setItemText(i, ShownText(UnitSymbol(static_cast<Unit>(box->itemData(i).toInt()))));
}

}  // namespace

MeasurementUnitsDialog::MeasurementUnitsDialog(const QString& path, MeasuredUnits now, QWidget* parent)
    : TranslatedDialog(parent)
{
    setObjectName(QStringLiteral("measurementUnitsDialog"));
    lengthUnitBox_ = MakeUnitBox(this, "lengthUnitBox",
                                 {LengthUnit::Metre, LengthUnit::Centimetre, LengthUnit::Millimetre}, now.z);
    fluxUnitBox_ = MakeUnitBox(this, "fluxUnitBox",
                               {FluxDensityUnit::Millitesla, FluxDensityUnit::Tesla, FluxDensityUnit::Gauss}, now.b);
    auto* form = new QFormLayout(this);
    fileLabel_ = new QLabel(this);
    form->addRow(fileLabel_, new QLabel(QFileInfo(path).fileName(), this));
    auto* head = new QLabel(FileHead(path), this);
    head->setObjectName(QStringLiteral("fileHeadLabel"));
    head->setTextFormat(Qt::PlainText);
    head->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    head->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    form->addRow(head);
    lengthLabel_ = AddLabelledRow(form, lengthUnitBox_);
    fluxLabel_ = AddLabelledRow(form, fluxUnitBox_);
    hint_ = new QLabel(this);
    form->addRow(hint_);
    form->addRow(MakeOkCancelButtons(this));
    retranslate();
}

void MeasurementUnitsDialog::retranslate()
{
    setWindowTitle(tr("Единицы измерений"));
    fileLabel_->setText(tr("Файл:"));
    lengthLabel_->setText(tr("Положение &z в:"));
    fluxLabel_->setText(tr("Индукция &B в:"));
    hint_->setText(tr("В строке — два числа: z и B; первая строка может быть заголовком."));
    ShowUnitSymbols<LengthUnit>(lengthUnitBox_);
    ShowUnitSymbols<FluxDensityUnit>(fluxUnitBox_);
}

MeasuredUnits MeasurementUnitsDialog::units() const
{
    return {static_cast<LengthUnit>(lengthUnitBox_->currentData().toInt()),
            static_cast<FluxDensityUnit>(fluxUnitBox_->currentData().toInt())};
}
