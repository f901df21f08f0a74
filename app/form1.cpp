#include "app/form1.h"

#include <QCloseEvent>
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

#include <functional>
#include <string>
#include <string_view>

#include "about/program_texts.h"
#include "app/desktop_actions.h"
#include "app/shown_language.h"
#include "app/live_runner.h"
#include "app/measurement_loader.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_saving.h"
#include "app/window_placement.h"
#include "lesson/lesson_switches.h"
#include "params/graph_choice.h"
#include "params/scroll_position.h"
#include "plot/calculation_run.h"

namespace {

constexpr int kStartClientWidth = 659;
constexpr int kStartClientHeight = 406;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A change of the screen under the window, or of its pixel ratio, reaches
// every widget of the window; the client area hears it for the picture.
bool IsPixelRatioChange(const QEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange)
        return true;
#endif
    return event->type() == QEvent::ScreenChangeInternal;
}

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
        ShowNotice(this, QStringLiteral("ОБ АВТОРАХ"), QString::fromStdString(AuthorsText(ShownLanguage())));
    });
    addCommand(help, "mnuHelpAbout", "&О программе", [this] {
        ShowNotice(this, QStringLiteral("О ПРОГРАММЕ"), QString::fromStdString(AboutText(ShownLanguage())));
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
    // For a projector: the menus and controls stay, the picture takes the rest.
    fullScreenAction_ = addCommand(view, "fullScreenAction", "Во весь &экран", [this] { toggleFullScreen(); });
    fullScreenAction_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreenAction_->setCheckable(true);
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
    connect(escape, &QShortcut::activated, this, &Form1::answerEscape);
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
    if (watched == client_ && IsPixelRatioChange(event))
        followPixelRatio();
    return QMainWindow::eventFilter(watched, event);
}
