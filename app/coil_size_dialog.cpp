#include "app/coil_size_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialog_parts.h"
#include "app/shown_language.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "params/coil_size_text.h"

CoilSizeDialog::CoilSizeDialog(const CoilSize& now, QWidget* parent) : TranslatedDialog(parent), size_(now)
{
    setObjectName(QStringLiteral("coilSizeDialog"));
    const struct {
        const char* object;
        const char* label;
        double CoilSize::*value;
        const char* name;
    } rows[] = {{"radiusEdit", QT_TR_NOOP("&Радиус R, м:"), &CoilSize::radius, QT_TR_NOOP("Радиус R")},
                {"lengthEdit", QT_TR_NOOP("&Длина L, м:"), &CoilSize::length, QT_TR_NOOP("Длина L")},
                {"halfRangeEdit", QT_TR_NOOP("&Полуразмер области a, м:"), &CoilSize::halfRange,
                 QT_TR_NOOP("Полуразмер области a")}};
    auto* form = new QFormLayout(this);
    for (int i = 0; i < 3; ++i) {
        const QString shown = ValueLabelText(now.*rows[i].value);
        QLineEdit* edit = MakeDialogEdit(this, rows[i].object, shown);
        boxes_[i] = Box{edit, AddLabelledRow(form, edit), rows[i].label, shown, rows[i].value, rows[i].name};
    }
    hint_ = new QLabel(this);
    form->addRow(hint_);
    form->addRow(MakeOkCancelButtons(this));
    retranslate();
}

void CoilSizeDialog::retranslate()
{
    setWindowTitle(tr("Размеры катушки"));
    for (const Box& box : boxes_) {
        box.label->setText(tr(box.labelText));
        SetToolTip(box.edit, tr("в метрах, от 0 до 10, с любым числом знаков (0.021 — 21 мм)"));
    }
    hint_->setText(tr("Полосы прокрутки потом снова задают значения шагом 0,1 м."));
}

void CoilSizeDialog::accept()
{
    CoilSize typed = size_;
    for (const Box& box : boxes_) {
        if (box.edit->text() == box.shown)
            continue;  // the value as it was, to the last bit
        const MetresReading reading = MetresFromText(box.edit->text().toStdString());
        if (!reading.metres) {
            QString why = ShownText(reading.refusal);
            why[0] = why[0].toLower();
            ShowProblem(this, tr(box.name) + QStringLiteral(": ") + why);
            box.edit->setFocus();
            box.edit->selectAll();
            return;  // the values stay as they were
        }
        typed.*box.value = *reading.metres;
    }
    size_ = typed;
    QDialog::accept();
}
