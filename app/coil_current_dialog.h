#pragma once

#include "app/translated_dialog.h"

#include <optional>

#include "params/coil_current.h"

class QLabel;
class QLineEdit;

// The dialog "Ток и витки": the number of turns N and the current I that
// turn the field unit n*I/2 into SI units. OK takes the values only when both
// are usable (params/coil_current.h), and otherwise says why and
// stays open; both boxes left empty go back to the unit n*I/2.
class CoilCurrentDialog final : public TranslatedDialog {
    Q_OBJECT
public:
    CoilCurrentDialog(const std::optional<CoilCurrent>& now, QWidget* parent);

    // What OK took: nothing for the unit n*I/2.
    const std::optional<CoilCurrent>& coil() const { return coil_; }

    void accept() override;

private:
    void retranslate() override;

    QLabel* turnsLabel_ = nullptr;
    QLabel* currentLabel_ = nullptr;
    QLabel* hint_ = nullptr;
    QLineEdit* turnsEdit_ = nullptr;
    QLineEdit* currentEdit_ = nullptr;
    std::optional<CoilCurrent> coil_;
};
