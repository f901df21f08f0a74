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

CoilSizeDialog::CoilSizeDialog(const CoilSize& now, QWidget* parent) : QDialog(parent), size_(now)
{
    setObjectName(QStringLiteral("coilSizeDialog"));
    setWindowTitle(QStringLiteral("Размеры катушки"));
    const char* const toolTip = "в метрах, от 0 до 10, с любым числом знаков (0.021 — 21 мм)";
    const struct {
        const char* object;
        const char* label;
        double CoilSize::*value;
        const char* name;
    } rows[] = {{"radiusEdit", "&Радиус R, м:", &CoilSize::radius, "Радиус R"},
                {"lengthEdit", "&Длина L, м:", &CoilSize::length, "Длина L"},
                {"halfRangeEdit", "&Полуразмер области a, м:", &CoilSize::halfRange, "Полуразмер области a"}};
    auto* form = new QFormLayout(this);
    for (int i = 0; i < 3; ++i) {
        const QString shown = ValueLabelText(now.*rows[i].value);
        boxes_[i] = Box{MakeDialogEdit(this, rows[i].object, shown, toolTip), shown, rows[i].value, rows[i].name};
        form->addRow(QString::fromUtf8(rows[i].label), boxes_[i].edit);
    }
    form->addRow(new QLabel(QStringLiteral("Полосы прокрутки потом снова задают значения шагом 0,1 м."), this));
    form->addRow(MakeOkCancelButtons(this));
}

void CoilSizeDialog::accept()
{
    CoilSize typed = size_;
    for (const Box& box : boxes_) {
        if (box.edit->text() == box.shown)
            continue;  // the value as it was, to the last bit
        const MetresReading reading = MetresFromText(box.edit->text().toStdString());
        if (!reading.metres) {
            QString why = QString::fromStdString(Text(reading.refusal, ShownLanguage()));
            why[0] = why[0].toLower();
            ShowProblem(this, QString::fromUtf8(box.name) + QStringLiteral(": ") + why);
            box.edit->setFocus();
            box.edit->selectAll();
            return;  // the values stay as they were
        }
        typed.*box.value = *reading.metres;
    }
    size_ = typed;
    QDialog::accept();
}
