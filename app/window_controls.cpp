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
#include "app/live_runner.h"
#include "app/measurement_loader.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/point_readout.h"
#include "lesson/lesson_texts.h"

namespace {

const QColor kLightYellow(255, 255, 192);

// What a screen reader announces for a control: its caption and its tool tip.
void SetAccessibleTexts(QWidget* widget, const QString& name, const QString& description)
{
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, const char* toolTip, Qt::Alignment alignment)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromUtf8(toolTip));
    label->setAccessibleDescription(label->toolTip());  // the name is the label's text
    label->setAlignment(alignment);
    return label;
}

// A label that shows a parameter value: bordered, on light yellow.
QLabel* MakeValueLabel(QWidget* parent, const char* name, const char* text, const char* toolTip)
{
    QLabel* label = MakeLabel(parent, name, text, toolTip, Qt::AlignCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetBackground(label, QPalette::Window, kLightYellow);
    return label;
}

ParameterScrollBar* MakeScrollBar(QWidget* parent, const char* name, const char* accessibleName, int pageStep,
                                  int position)
{
    auto* bar = new ParameterScrollBar(pageStep, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setAccessibleName(QString::fromUtf8(accessibleName));
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
    SetAccessibleTexts(picture1_, QStringLiteral("рисунок"), QString::fromStdString(Text(PictureDescription(nullptr, '.'), ShownLanguage())));
    picture1_->setReadout([this](QPointF position) {
        return lastRun_ ? PointReadout(*lastRun_, position) : QString();
    });

    cmdOK_ = new QPushButton(QStringLiteral("расчет"), client_);
    cmdOK_->setObjectName(QStringLiteral("CmdOK"));
    cmdOK_->setToolTip(QStringLiteral("Выполнить расчёт"));
    SetAccessibleTexts(cmdOK_, cmdOK_->text(), cmdOK_->toolTip());

    list1_ = new QListWidget(client_);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setToolTip(QStringLiteral("выбор графика"));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetAccessibleTexts(list1_, QStringLiteral("график"), list1_->toolTip());

    text1_ = new QLineEdit(QStringLiteral("7"), client_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setToolTip(QStringLiteral("Введите число"));
    SetBackground(text1_, QPalette::Base, kLightYellow);
    SetAccessibleTexts(text1_, QStringLiteral("число линий"), text1_->toolTip());

    vScroll1_ = MakeScrollBar(client_, "VScroll1", "радиус соленоида, м", 50, 0);
    vScroll2_ = MakeScrollBar(client_, "VScroll2", "длина соленоида, м", 50, 100);
    vScroll3_ = MakeScrollBar(client_, "VScroll3", "полуразмер области вдоль оси OZ, м", 10, 100);

    label1_ = MakeLabel(client_, "Label1", "радиус. м", "радиус соленоида, м", Qt::AlignCenter);
    label2_ = MakeLabel(client_, "Label2", "длина,  м", "длина соленоида, м", Qt::AlignCenter);
    label3_ = MakeLabel(client_, "Label3", "размер, м", "полуразмер области вдоль оси OZ, м", Qt::AlignCenter);
    label4_ = MakeValueLabel(client_, "Label4", "0", "радиус соленоида, м");
    label5_ = MakeValueLabel(client_, "Label5", "3.00", "длина соленоида, м");
    label6_ = MakeValueLabel(client_, "Label6", "100", "полуразмер области вдоль оси OZ, м ");
    label7_ = MakeLabel(client_, "Label7", "число линий", "количество линий индукции магнитного поля",
                        Qt::AlignLeft | Qt::AlignVCenter);
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
