#pragma once

#include "app/translated_dialog.h"

#include "params/coil_arrangement.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The dialog "Пара катушек": a second coil of the same radius and length on
// the same axis, the middles D metres apart, currents alike or opposed. The
// button "по Гельмгольцу" sets D to the coil's radius and turns the pair on.
// OK takes the values when the pair is off, or when D is usable
// (params/coil_arrangement.h); otherwise it says why and stays
// open, and nothing changes.
class CoilPairDialog final : public TranslatedDialog {
    Q_OBJECT
public:
    // The pair as it stands and the coil's radius, m.
    CoilPairDialog(bool on, const CoilPair& pair, double radius, QWidget* parent);

    // What OK took.
    bool isOn() const { return on_; }
    const CoilPair& pair() const { return pair_; }

    void accept() override;

private:
    void retranslate() override;

    QLabel* distanceLabel_ = nullptr;
    QLabel* hint_ = nullptr;
    QCheckBox* pairCheck_ = nullptr;
    QLineEdit* distanceEdit_ = nullptr;
    QPushButton* helmholtzButton_ = nullptr;
    QCheckBox* opposedCheck_ = nullptr;
    bool on_;
    CoilPair pair_;
};
