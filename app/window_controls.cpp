// The window's controls: made with their names, texts and colours, placed
// in the client area as its size allows, and taken in the Tab order.
#include "app/form1.h"
#include "app/shown_language.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "app/control_layout.h"
#include "app/dialog_parts.h"
#include "app/live_runner.h"
#include "app/measurement_loader.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/point_readout.h"
#include "app/shown_language.h"
#include "lesson/lesson_texts.h"
#include "params/graph_choice.h"

namespace {

const QColor kLightYellow(255, 255, 192);

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A label; its texts come with the language (Form1::retranslateControls).
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, Qt::Alignment alignment)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    return label;
}

// A label that shows a parameter value: bordered, on light yellow.
QLabel* MakeValueLabel(QWidget* parent, const char* name, const char* text)
{
    QLabel* label = MakeLabel(parent, name, text, Qt::AlignCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetBackground(label, QPalette::Window, kLightYellow);
    return label;
}

ParameterScrollBar* MakeScrollBar(QWidget* parent, const char* name, int pageStep, int position)
{
    auto* bar = new ParameterScrollBar(pageStep, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setPosition(position);
    return bar;
}

void Place(QWidget* widget, const RealRect& r)
{
    widget->setGeometry(ToPixel(r.left), ToPixel(r.top), ToPixel(r.width), ToPixel(r.height));
}

}  // namespace

void Form1::createControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    setCentralWidget(client_);

    picture1_ = new PictureBox(client_);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    QFont pictureFont(QStringLiteral("MS Sans Serif"));
    pictureFont.setPointSizeF(8.25);
    picture1_->setFont(pictureFont);
    picture1_->setReadout([this](QPointF position) {
        return lastRun_ ? PointReadout(*lastRun_, position) : QString();
    });

    cmdOK_ = new QPushButton(client_);
    cmdOK_->setObjectName(QStringLiteral("CmdOK"));

    list1_ = new QListWidget(client_);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string_view entry : {kAxisGraphEntry, kFieldLinesGraphEntry}) {
        auto* item = new QListWidgetItem(list1_);
        item->setData(Qt::UserRole, QString::fromUtf8(entry.data(), qsizetype(entry.size())));  // as the graph choice knows it
    }

    text1_ = new QLineEdit(QStringLiteral("7"), client_);
    text1_->setObjectName(QStringLiteral("Text1"));
    SetBackground(text1_, QPalette::Base, kLightYellow);

    vScroll1_ = MakeScrollBar(client_, "VScroll1", 50, 0);
    vScroll2_ = MakeScrollBar(client_, "VScroll2", 50, 100);
    vScroll3_ = MakeScrollBar(client_, "VScroll3", 10, 100);

    label1_ = MakeLabel(client_, "Label1", "", Qt::AlignCenter);
    label2_ = MakeLabel(client_, "Label2", "", Qt::AlignCenter);
    label3_ = MakeLabel(client_, "Label3", "", Qt::AlignCenter);
    label4_ = MakeValueLabel(client_, "Label4", "0");
    label5_ = MakeValueLabel(client_, "Label5", "3.00");
    label6_ = MakeValueLabel(client_, "Label6", "100");
    label7_ = MakeLabel(client_, "Label7", "", Qt::AlignLeft | Qt::AlignVCenter);
    cmdOK_->raise();  // in a narrow window the button lies over the parameter groups and stays usable

    liveStatusLabel_ = new QLabel(picture1_);
    liveStatusLabel_->setObjectName(QStringLiteral("liveStatusLabel"));
    liveStatusLabel_->setWordWrap(true);
    liveStatusLabel_->setMargin(2);
    SetBackground(liveStatusLabel_, QPalette::Window, kLightYellow);
    liveStatusLabel_->hide();
    liveProgressTimer_ = new QTimer(this);
    liveProgressTimer_->setInterval(100);
    loader_ = std::make_unique<MeasurementLoader>(
        [this](MeasurementFileReading reading) { takeMeasurements(std::move(reading)); });
    live_ = std::make_unique<LiveRunner>([this](LiveResult result) { showLiveResult(std::move(result)); });
}

// The controls' captions, tool tips and names for a screen reader, which
// also announces a tool tip as the control's description.
void Form1::retranslateControls()
{
    static constexpr struct {
        const char* name;
        const char* text;           // of a label or the button; none for the value labels
        const char* toolTip;
        const char* accessibleName; // a label's is its text
    } kTexts[] = {
        {"CmdOK", QT_TR_NOOP("расчет"), QT_TR_NOOP("Выполнить расчёт"), QT_TR_NOOP("расчет")},
        {"List1", nullptr, QT_TR_NOOP("выбор графика"), QT_TR_NOOP("график")},
        {"Text1", nullptr, QT_TR_NOOP("Введите число"), QT_TR_NOOP("число линий")},
        {"Picture1", nullptr, nullptr, QT_TR_NOOP("рисунок")},
        {"VScroll1", nullptr, nullptr, QT_TR_NOOP("радиус соленоида, м")},
        {"VScroll2", nullptr, nullptr, QT_TR_NOOP("длина соленоида, м")},
        {"VScroll3", nullptr, nullptr, QT_TR_NOOP("полуразмер области вдоль оси OZ, м")},
        {"Label1", QT_TR_NOOP("радиус. м"), QT_TR_NOOP("радиус соленоида, м"), nullptr},
        {"Label2", QT_TR_NOOP("длина,  м"), QT_TR_NOOP("длина соленоида, м"), nullptr},
        {"Label3", QT_TR_NOOP("размер, м"), QT_TR_NOOP("полуразмер области вдоль оси OZ, м"), nullptr},
        {"Label4", nullptr, QT_TR_NOOP("радиус соленоида, м"), nullptr},
        {"Label5", nullptr, QT_TR_NOOP("длина соленоида, м"), nullptr},
        {"Label6", nullptr, QT_TR_NOOP("полуразмер области вдоль оси OZ, м "), nullptr},
        {"Label7", QT_TR_NOOP("число линий"), QT_TR_NOOP("количество линий индукции магнитного поля"), nullptr},
    };
    for (const auto& row : kTexts) {
        auto* widget = client_->findChild<QWidget*>(QString::fromLatin1(row.name));
        if (row.text != nullptr) {
            if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(tr(row.text));
            else
                static_cast<QPushButton*>(widget)->setText(tr(row.text));
        }
        if (row.toolTip != nullptr)
            SetToolTip(widget, tr(row.toolTip));
        if (row.accessibleName != nullptr)
            widget->setAccessibleName(tr(row.accessibleName));
    }
    for (int row = 0; row < list1_->count(); ++row)
        list1_->item(row)->setText(ShownText(list1_->item(row)->data(Qt::UserRole).toString().toStdString()));
}

void Form1::setFocusOrder()
{
    QWidget* const order[] = {cmdOK_, vScroll1_, vScroll2_, vScroll3_, picture1_, list1_, text1_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::arrangeControls()
{
    const std::optional<ControlLayout> layout = ArrangeControls(client_->width(), client_->height());
    if (!layout)
        return;  // no room (minimized, or shrunk below the band): the controls stay where they are
    Place(picture1_, layout->picture1);
    Place(cmdOK_, layout->cmdOK);
    Place(list1_, layout->list1);
    Place(label7_, layout->label7);
    Place(text1_, layout->text1);
    Place(label1_, layout->label1);
    Place(label4_, layout->label4);
    Place(vScroll1_, layout->vScroll1);
    Place(label2_, layout->label2);
    Place(label5_, layout->label5);
    Place(vScroll2_, layout->vScroll2);
    Place(label3_, layout->label3);
    Place(label6_, layout->label6);
    Place(vScroll3_, layout->vScroll3);
}
