#pragma once

#include <QDialog>

#include "measure/measured_units.h"

class QComboBox;

// The dialog "Единицы измерений": in which units the file's z and B are
// written (м, см, мм; мТл, Тл, Гс), with the first lines of the file shown for
// a look at its header. Opens with the units given.
class MeasurementUnitsDialog final : public QDialog {
    Q_OBJECT
public:
    MeasurementUnitsDialog(const QString& path, MeasuredUnits now, QWidget* parent);

    MeasuredUnits units() const;

private:
    QComboBox* lengthUnitBox_ = nullptr;
    QComboBox* fluxUnitBox_ = nullptr;
};
