#pragma once

#include "app/translated_dialog.h"

class QLabel;
class QLineEdit;

// The coil's radius R and length L and the half-size a of the region, m.
struct CoilSize {
    double radius = 0;
    double length = 0;
    double halfRange = 0;
};

// The dialog "Размеры катушки": R, L and a typed in metres with any
// decimals, 0 to 10 m (params/coil_size_text.h), for a real coil that the
// scroll bars' tenths of a metre cannot give. OK takes the three values only
// when all are usable, and otherwise names the box and says why
// and stays open. A box whose text is left as shown keeps its value exactly.
// Values the calculation refuses (a zero half-size, say) are taken as from
// the scroll bars, and refused by the run as theirs are.
class CoilSizeDialog final : public TranslatedDialog {
    Q_OBJECT
public:
    CoilSizeDialog(const CoilSize& now, QWidget* parent);

    // What OK took; the values shown before.
    const CoilSize& size() const { return size_; }

    void accept() override;

private:
    void retranslate() override;

    struct Box {
        QLineEdit* edit;
        QLabel* label;
        const char* labelText;
        QString shown;       // the text it started with
        double CoilSize::*value;
        const char* name;    // as the refusal names it
    };
    Box boxes_[3];
    QLabel* hint_ = nullptr;
    CoilSize size_;
};
