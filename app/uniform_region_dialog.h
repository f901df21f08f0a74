#pragma once

#include "app/translated_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// The dialog "Однородная область": whether the next runs outline the region
// where |H| differs from its value at the centre by less than P per cent, and
// P. OK takes the values when the outline is off or P is usable
// (params/uniform_tolerance.h); otherwise it says why and stays
// open, and nothing changes.
class UniformRegionDialog final : public TranslatedDialog {
    Q_OBJECT
public:
    UniformRegionDialog(bool on, double percent, QWidget* parent);

    // What OK took.
    bool isOn() const { return on_; }
    double percent() const { return percent_; }

    void accept() override;

private:
    void retranslate() override;

    QLabel* percentLabel_ = nullptr;
    QLabel* hint_ = nullptr;
    QCheckBox* regionCheck_ = nullptr;
    QLineEdit* percentEdit_ = nullptr;
    bool on_;
    double percent_;
};
