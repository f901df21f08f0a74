#pragma once

#include "app/translated_dialog.h"

#include "measure/measured_units.h"

class QComboBox;
class QLabel;

// The dialog "Единицы измерений": in which units the file's z and B are
// written (м, см, мм; мТл, Тл, Гс), with the first lines of the file shown for
// a look at its header. Opens with the units given.
class MeasurementUnitsDialog final : public TranslatedDialog {
    Q_OBJECT
public:
    MeasurementUnitsDialog(const QString& path, MeasuredUnits now, QWidget* parent);

    MeasuredUnits units() const;

private:
    void retranslate() override;

    QLabel* fileLabel_ = nullptr;
    QLabel* lengthLabel_ = nullptr;
    QLabel* fluxLabel_ = nullptr;
    QLabel* hint_ = nullptr;
    QComboBox* lengthUnitBox_ = nullptr;
    QComboBox* fluxUnitBox_ = nullptr;
};
