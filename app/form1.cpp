#include "app/form1.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "app/control_layout.h"
#include "app/desktop_actions.h"
#include "about/program_texts.h"
#include "app/live_runner.h"
#include "app/measurement_loader.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/picture_saving.h"
#include "app/point_readout.h"
#include "app/run_image.h"
#include "app/window_placement.h"
#include "lesson/lesson_switches.h"
#include "lesson/lesson_texts.h"
#include "params/graph_choice.h"
#include "params/scroll_position.h"
#include "plot/calculation_run.h"
#include "surface/blank_surface.h"

namespace {

constexpr int kStartClientWidth = 659;
constexpr int kStartClientHeight = 406;
const QColor kLightYellow(255, 255, 192);

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

Form1::Form1(DesktopActions& desktop, QWidget* parent) : QMainWindow(parent), desktop_(desktop)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setAcceptDrops(true);
    createControls();
    createMenus();
    setFocusOrder();
    connectControls();
    resize(kStartClientWidth, kStartClientHeight + menuBar()->sizeHint().height());
    layout()->activate();  // the client area takes its size before the window is shown

    placeOnScreen();
    list1_->addItem(FromUtf8(kAxisGraphEntry));
    list1_->addItem(FromUtf8(kFieldLinesGraphEntry));
    arrangeControls();
    applyStartState();
    cmdOK_->setFocus();
}

Form1::~Form1() = default;

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
    SetAccessibleTexts(picture1_, QStringLiteral("рисунок"), QString::fromStdString(PictureDescription(nullptr, '.')));
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

void Form1::createMenus()
{
    const auto addMenu = [this](const char* name, const char* title) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto addCommand = [this](QMenu* menu, const char* name, const char* text, std::function<void()> command) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, std::move(command));
        return action;
    };
    const auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = addMenu("mnuFile", "&Файл");
    addCommand(file, "mnuFileSprav", "&Справка", [this] { desktop_.openDocument(QStringLiteral("spravka.pdf")); });
    addSeparator(file, "mnuFileSep");
    addCommand(file, "openAction", "&Открыть…", [this] { askFileToOpen(); })->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(QStringLiteral("&Недавние"));
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &Form1::showRecentFiles);
    showRecentFiles();  // the submenu is disabled while the list is empty
    addCommand(file, "saveLessonAction", "Сохранить о&пыт…", [this] { saveLesson(); });
    addSeparator(file, "lessonFileSeparator");
    savePictureAction_ = addCommand(file, "savePictureAction", "Со&хранить рисунок…", [this] {
        if (lastRun_)
            SaveRunFileAs(this, *lastRun_);
    });
    savePictureAction_->setShortcut(QKeySequence::Save);
    copyPictureAction_ = addCommand(file, "copyPictureAction", "&Копировать рисунок", [this] { copyPicture(); });
    copyPictureAction_->setShortcut(QKeySequence::Copy);
    savePictureAction_->setEnabled(false);  // until the first run
    copyPictureAction_->setEnabled(false);
    addSeparator(file, "pictureFileSeparator");
    openMeasurementsAction_ = addCommand(file, "openMeasurementsAction", "Открыть &измерения…", [this] { openMeasurements(); });
    closeMeasurementsAction_ = addCommand(file, "closeMeasurementsAction", "&Убрать измерения", [this] { closeMeasurements(); });
    closeMeasurementsAction_->setEnabled(false);  // until a file is open
    addSeparator(file, "measurementFileSeparator");
    addCommand(file, "mnuFileExit", "&Выход", [this] { close(); });

    QMenu* help = addMenu("mnuHelp", "&Помощь");
    addCommand(help, "mnuHelpUprav", "&Управление", [this] { desktop_.openDocument(QStringLiteral("uprav.pdf")); });
    addCommand(help, "mnuHelpInstruction", "&Инструкция", [this] { openInstruction(); });
    addSeparator(help, "mnuHelpSep1");
    addCommand(help, "mnuHelpAvtors", "&Автор", [this] {
        ShowNotice(this, QStringLiteral("ОБ АВТОРАХ"), QString::fromStdString(AuthorsText()));
    });
    addCommand(help, "mnuHelpAbout", "&О программе", [this] {
        ShowNotice(this, QStringLiteral("О ПРОГРАММЕ"), QString::fromStdString(AboutText()));
    });

    // The lesson's switches, those of the measurements after the dialogs.
    QMenu* view = addMenu("viewMenu", "&Вид");
    for (const LessonSwitch& row : LessonSwitches())
        if (row.scope != SwitchScope::Measurements)
            addSwitch(view, row);
    addCommand(view, "coilSizeAction", "Размеры &катушки…", [this] { askCoilSize(); });
    addCommand(view, "coilCurrentAction", "Ток и &витки…", [this] { askCoilCurrent(); });
    addCommand(view, "coilPairAction", "&Пара катушек…", [this] { askCoilPair(); });
    addCommand(view, "uniformRegionAction", "&Однородная область…", [this] { askUniformRegion(); });
    for (const LessonSwitch& row : LessonSwitches())
        if (row.scope == SwitchScope::Measurements)
            addSwitch(view, row);
    fitAction_ = findChild<QAction*>(FromUtf8(SwitchOfKey("fit")->objectName));
    liveAction_ = view->addAction(QStringLiteral("&Сразу пересчитывать"));  // the window's own, off at every start
    liveAction_->setObjectName(QStringLiteral("liveAction"));
    liveAction_->setCheckable(true);
    showAdditionsChoice();
}

// A switch of the menu "Вид", as the lesson has it: a change goes into the
// lesson and shows at the next run, or at once with live redraw.
void Form1::addSwitch(QMenu* menu, const LessonSwitch& row)
{
    QAction* action = menu->addAction(FromUtf8(row.menuText));
    action->setObjectName(FromUtf8(row.objectName));
    action->setCheckable(true);
    action->setChecked(row.isOn(lesson_));
    connect(action, &QAction::toggled, this, [this, row = &row](bool on) {
        row->turn(lesson_, on);
        showSwitches();
        showMeasurementStatus();
        runIfLive();
    });
    switchActions_.emplace_back(&row, action);
}

// The check marks as the lesson has its switches: the exact lines and the
// lines of equal flux are one choice, so that checking one unchecks the other.
void Form1::showSwitches()
{
    for (const auto& [row, action] : switchActions_)
        if (action->isChecked() != row->isOn(lesson_))
            action->setChecked(row->isOn(lesson_));
}

void Form1::setFocusOrder()
{
    QWidget* const order[] = {cmdOK_, vScroll1_, vScroll2_, vScroll3_, picture1_, list1_, text1_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::connectControls()
{
    connectParameter(vScroll1_, &CalcParams::radius, label4_);
    connectParameter(vScroll2_, &CalcParams::length, label5_);
    connectParameter(vScroll3_, &CalcParams::halfRange, label6_);
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) { SetLineText(lesson_, text.toStdString()); });
    connect(text1_, &QLineEdit::editingFinished, this, &Form1::runIfLive);  // Return, or the focus leaves
    connect(list1_, &QListWidget::itemSelectionChanged, this, &Form1::showGraphChoice);
    connect(list1_, &QListWidget::itemSelectionChanged, this, &Form1::runIfLive);
    connect(cmdOK_, &QPushButton::clicked, this, &Form1::runCalculation);
    connect(liveProgressTimer_, &QTimer::timeout, this, &Form1::showLiveProgress);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("cancelLiveRunShortcut"));
    connect(escape, &QShortcut::activated, this, &Form1::cancelLiveRun);
    client_->installEventFilter(this);
}

void Form1::connectParameter(ParameterScrollBar* bar, double CalcParams::*field, QLabel* valueLabel)
{
    connect(bar, &ParameterScrollBar::positionChanged, this, [this, bar, field, valueLabel](int position) {
        lesson_.params.*field = ValueOfScrollPosition(position);
        showParameter(bar, valueLabel, lesson_.params.*field);
        runIfLive();
    });
}

void Form1::showParameter(ParameterScrollBar* bar, QLabel* valueLabel, double value)
{
    valueLabel->setText(ValueLabelText(value));
    bar->setAccessibleDescription(valueLabel->text() + QStringLiteral(" м"));  // the bar's own value is negated
}

// A value typed in metres, any decimals: the bar moves to the nearest position
// without storing that position's value.
void Form1::setTypedParameter(ParameterScrollBar* bar, double CalcParams::*field, QLabel* valueLabel, double value)
{
    lesson_.params.*field = value;
    {
        const QSignalBlocker quiet(bar);
        bar->setPosition(ScrollPositionOfValue(value, lesson_.params.scrollScale));
    }
    showParameter(bar, valueLabel, value);
}

void Form1::placeOnScreen()
{
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    const WindowOrigin origin = PlaceWindow(area.width(), area.height(), outer.width(), outer.height());
    move(area.left() + origin.left, area.top() + origin.top);
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

void Form1::applyStartState()
{
    const CalcParams& p = lesson_.params;
    vScroll1_->setPosition(ScrollPositionOfValue(p.radius, p.scrollScale));
    vScroll2_->setPosition(ScrollPositionOfValue(p.length, p.scrollScale));
    vScroll3_->setPosition(ScrollPositionOfValue(p.halfRange, p.scrollScale));
    const QList<QListWidgetItem*> axisEntry = list1_->findItems(FromUtf8(kAxisGraphEntry), Qt::MatchExactly);
    if (!axisEntry.isEmpty())
        list1_->setCurrentItem(axisEntry.first());
    label7_->hide();
    text1_->hide();
}

void Form1::showGraphChoice()
{
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    const QString entry = selected.isEmpty() ? QString() : selected.first()->text();
    const GraphChoice choice = GraphChoiceOfEntry(entry.toStdString());
    lesson_.params.graphMode = choice.graphMode;
    if (choice.showLineCount) {
        label7_->setVisible(*choice.showLineCount);
        text1_->setVisible(*choice.showLineCount);
    }
    showAdditionsChoice();
    showMeasurementStatus();
}

// The additions belong to the field-line graph: with the axis graph they keep
// their state but cannot be changed. The scales serve both graphs. A pair's
// lines are its exact lines of equal flux already: the program's exact lines
// and lines of equal flux wait. The fit waits for measured values.
void Form1::showAdditionsChoice()
{
    for (const auto& [row, action] : switchActions_)
        action->setEnabled(SwitchInForce(*row, lesson_));
}

void Form1::runIfLive()
{
    if (liveAction_->isChecked())
        startLiveRun();
}

// The drawing is made by the rasteriser on a fresh picture of the picture
// box's size, which replaces the picture only when the run is done: a refused
// run leaves the picture and the caption as they were. The pixels are the
// exported PNG's for the same run and size (on a high-density screen each is
// shown as a block of device pixels).
void Form1::runCalculation()
{
    cancelLiveRun();
    live_->abandon();
    const QSize size = picture1_->size();
    const Lesson settings = lesson_;
    std::optional<WaitCursor> wait;
    const RunImage run = DrawRunImage(lesson_.params, size, AdditionsOf(lesson_), CurrentClockReading, {},
                                      [&] {
                                          runCaption_ = kProgramTitle;
                                          showCaption();
                                          wait.emplace();
                                      });
    wait.reset();
    if (!run.outcome.done) {
        ShowProblem(this, QString::fromStdString(run.outcome.refusal));
        return;
    }
    liveStatusLabel_->hide();
    showRun(settings, lesson_.params, size, run.image, run.outcome.caption, run.outcome.comparison);
}

// A live run starts on its own thread with the values as they are now; a
// refused one shows its reason over the picture and stops the run going, as
// its values are outdated.
void Form1::startLiveRun()
{
    const QSize size = picture1_->size();
    if (auto refusal = RunRefusal(lesson_.params, BlankSurface(size.width(), size.height()))) {
        live_->cancel();
        liveProgressTimer_->stop();
        showLiveStatus(QString::fromStdString(*refusal));
        return;
    }
    live_->request(LiveRequest{lesson_, size});
    liveProgressTimer_->start();
}

void Form1::showLiveResult(LiveResult result)
{
    liveProgressTimer_->stop();
    liveStatusLabel_->hide();
    // The record keeps the values of the controls; the run's plot window and
    // scales are those it drew with.
    const CalcParams& drawn = result.drawn;
    CalcParams& p = lesson_.params;
    p.zMin = drawn.zMin;
    p.zMax = drawn.zMax;
    p.yMin = drawn.yMin;
    p.yMax = drawn.yMax;
    p.zStep = drawn.zStep;
    p.scaleX = drawn.scaleX;
    p.scaleY = drawn.scaleY;
    showRun(std::move(result.request.lesson), drawn, result.request.size, std::move(result.image), result.caption,
            std::move(result.comparison));
}

void Form1::showLiveStatus(const QString& text)
{
    liveStatusLabel_->setText(text);
    liveStatusLabel_->setAccessibleName(text);
    liveStatusLabel_->setFixedWidth(picture1_->contentsRect().width());
    liveStatusLabel_->move(picture1_->contentsRect().topLeft());
    liveStatusLabel_->adjustSize();
    liveStatusLabel_->show();
    liveStatusLabel_->raise();
}

// A live run that has been going for 0.3 s shows how far it is.
void Form1::showLiveProgress()
{
    if (!live_->running()) {
        liveProgressTimer_->stop();
        return;
    }
    if (live_->runningFor() < std::chrono::milliseconds(300))
        return;
    const int total = live_->linesTotal();
    const QString done = total > 0 ? QStringLiteral("расчет: линия %1 из %2").arg(live_->linesDone()).arg(total)
                                   : QStringLiteral("расчет…");
    showLiveStatus(done + QStringLiteral("  (Esc — отменить)"));
}

// Esc: the live run going is abandoned and the picture stays as it was.
void Form1::cancelLiveRun()
{
    if (!live_->running())
        return;
    live_->cancel();
    liveProgressTimer_->stop();
    liveStatusLabel_->hide();
}

void Form1::showRun(Lesson lesson, const CalcParams& drawn, QSize size, QImage image, const std::string& caption,
                    std::optional<AxisComparison> comparison)
{
    picture1_->setImage(std::move(image));
    lastRun_ = RecordOfRun(std::move(lesson), drawn, size, std::move(comparison));
    showMeasurementStatus();
    picture1_->setAccessibleDescription(QString::fromStdString(PictureDescription(&lastRun_->shown, LocaleDecimal())));
    savePictureAction_->setEnabled(true);
    copyPictureAction_->setEnabled(true);
    runCaption_ = caption;
    showCaption();
    emit pictureShown();
}

void Form1::copyPicture()
{
    if (lastRun_)
        QGuiApplication::clipboard()->setImage(picture1_->image());
}

void Form1::openInstruction()
{
    if (!desktop_.startTextEditor(QStringLiteral("instruction.txt")))
        ShowProblem(this, QStringLiteral("Не удалось запустить текстовый редактор для файла instruction.txt."));
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (ConfirmExit(this, lesson_.measured && lesson_.measured != savedMeasurements_))
        event->accept();
    else
        event->ignore();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize)
        arrangeControls();
    return QMainWindow::eventFilter(watched, event);
}
