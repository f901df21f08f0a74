#include "app/form1.h"

#include <QActionGroup>
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
#include "app/document_names.h"
#include "app/language_choice.h"
#include "app/live_runner.h"
#include "app/measurement_loader.h"
#include "app/message_boxes.h"
#include "app/number_texts.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_saving.h"
#include "app/shown_language.h"
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
    ShowLanguage(StartLanguage());  // the program's language follows its one window
    setAcceptDrops(true);
    createControls();
    createMenus();
    setFocusOrder();
    connectControls();
    retranslate();
    resize(kStartClientWidth, kStartClientHeight + menuBar()->sizeHint().height());
    layout()->activate();  // the client area takes its size before the window is shown

    placeOnScreen();
    arrangeControls();
    applyStartState();
    cmdOK_->setFocus();
}

Form1::~Form1() = default;

void Form1::createMenus()
{
    const auto addMenu = [this](const char* name) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto addCommand = [this](QMenu* menu, const char* name, std::function<void()> command) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, std::move(command));
        return action;
    };
    const auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = addMenu("mnuFile");
    addCommand(file, "mnuFileSprav", [this] { openHelpDocument(QStringLiteral("spravka.pdf")); });
    addSeparator(file, "mnuFileSep");
    addCommand(file, "openAction", [this] { askFileToOpen(); })->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(QString());
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &Form1::showRecentFiles);
    showRecentFiles();  // the submenu is disabled while the list is empty
    addCommand(file, "saveLessonAction", [this] { saveLesson(); });
    addSeparator(file, "lessonFileSeparator");
    savePictureAction_ = addCommand(file, "savePictureAction", [this] {
        if (lastRun_)
            SaveRunFileAs(this, *lastRun_);
    });
    savePictureAction_->setShortcut(QKeySequence::Save);
    copyPictureAction_ = addCommand(file, "copyPictureAction", [this] { copyPicture(); });
    copyPictureAction_->setShortcut(QKeySequence::Copy);
    savePictureAction_->setEnabled(false);  // until the first run
    copyPictureAction_->setEnabled(false);
    addSeparator(file, "pictureFileSeparator");
    openMeasurementsAction_ = addCommand(file, "openMeasurementsAction", [this] { openMeasurements(); });
    closeMeasurementsAction_ = addCommand(file, "closeMeasurementsAction", [this] { closeMeasurements(); });
    closeMeasurementsAction_->setEnabled(false);  // until a file is open
    addSeparator(file, "measurementFileSeparator");
    addCommand(file, "mnuFileExit", [this] { close(); });

    QMenu* help = addMenu("mnuHelp");
    addCommand(help, "mnuHelpUprav", [this] { openHelpDocument(QStringLiteral("uprav.pdf")); });
    addCommand(help, "mnuHelpInstruction", [this] { openInstruction(); });
    addSeparator(help, "mnuHelpSep1");
    addCommand(help, "mnuHelpAvtors", [this] { ShowNotice(this, tr("ОБ АВТОРАХ"), QString::fromStdString(AuthorsText(ShownLanguage()))); });
    addCommand(help, "mnuHelpAbout", [this] { ShowNotice(this, tr("О ПРОГРАММЕ"), QString::fromStdString(AboutText(ShownLanguage()))); });

    // The lesson's switches, those of the measurements after the dialogs.
    QMenu* view = addMenu("viewMenu");
    for (const LessonSwitch& row : LessonSwitches())
        if (row.scope != SwitchScope::Measurements)
            addSwitch(view, row);
    addCommand(view, "coilSizeAction", [this] { askCoilSize(); });
    addCommand(view, "coilCurrentAction", [this] { askCoilCurrent(); });
    addCommand(view, "coilPairAction", [this] { askCoilPair(); });
    addCommand(view, "uniformRegionAction", [this] { askUniformRegion(); });
    for (const LessonSwitch& row : LessonSwitches())
        if (row.scope == SwitchScope::Measurements)
            addSwitch(view, row);
    fitAction_ = findChild<QAction*>(FromUtf8(SwitchOfKey("fit")->objectName));
    liveAction_ = view->addAction(QString());  // the window's own, off at every start
    liveAction_->setObjectName(QStringLiteral("liveAction"));
    liveAction_->setCheckable(true);
    // For a projector: the menus and controls stay, the picture takes the rest.
    fullScreenAction_ = addCommand(view, "fullScreenAction", [this] { toggleFullScreen(); });
    fullScreenAction_->setShortcut(QKeySequence(Qt::Key_F11));
    fullScreenAction_->setCheckable(true);
    addSeparator(view, "languageSeparator");
    addLanguageMenu(view);
    showAdditionsChoice();
}

// «Язык / Language»: each language by its own name, the one shown checked.
void Form1::addLanguageMenu(QMenu* view)
{
    QMenu* menu = view->addMenu(QStringLiteral("Язык / Language"));  // not translated: found in any language
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    for (const Language& language : AllLanguages()) {
        QAction* action = menu->addAction(FromUtf8(language.name()));
        const QString code = FromUtf8(language.code());
        action->setObjectName(QStringLiteral("languageAction_") + code);
        action->setData(code);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [language] { ChooseLanguage(language); });
    }
}

// The texts of the menus and their commands, by object name.
void Form1::retranslateMenus()
{
    static constexpr struct {
        const char* name;
        const char* text;
    } kTexts[] = {
        {"mnuFile", QT_TR_NOOP("&Файл")},
        {"mnuFileSprav", QT_TR_NOOP("&Справка")},
        {"openAction", QT_TR_NOOP("&Открыть…")},
        {"recentFilesMenu", QT_TR_NOOP("&Недавние")},
        {"saveLessonAction", QT_TR_NOOP("Сохранить о&пыт…")},
        {"savePictureAction", QT_TR_NOOP("Со&хранить рисунок…")},
        {"copyPictureAction", QT_TR_NOOP("&Копировать рисунок")},
        {"openMeasurementsAction", QT_TR_NOOP("Открыть &измерения…")},
        {"closeMeasurementsAction", QT_TR_NOOP("&Убрать измерения")},
        {"mnuFileExit", QT_TR_NOOP("&Выход")},
        {"mnuHelp", QT_TR_NOOP("&Помощь")},
        {"mnuHelpUprav", QT_TR_NOOP("&Управление")},
        {"mnuHelpInstruction", QT_TR_NOOP("&Инструкция")},
        {"mnuHelpAvtors", QT_TR_NOOP("&Автор")},
        {"mnuHelpAbout", QT_TR_NOOP("&О программе")},
        {"viewMenu", QT_TR_NOOP("&Вид")},
        {"coilSizeAction", QT_TR_NOOP("Размеры &катушки…")},
        {"coilCurrentAction", QT_TR_NOOP("Ток и &витки…")},
        {"coilPairAction", QT_TR_NOOP("&Пара катушек…")},
        {"uniformRegionAction", QT_TR_NOOP("&Однородная область…")},
        {"liveAction", QT_TR_NOOP("&Сразу пересчитывать")},
        {"fullScreenAction", QT_TR_NOOP("Во весь &экран")},
    };
    for (const auto& row : kTexts) {
        const QString name = QString::fromLatin1(row.name);
        if (auto* menu = findChild<QMenu*>(name))
            menu->setTitle(tr(row.text));
        else
            findChild<QAction*>(name)->setText(tr(row.text));
    }
    for (const auto& [row, action] : switchActions_)
        action->setText(ShownText(row->menuText));
    const QString shown = FromUtf8(ShownLanguage().code());
    for (QAction* action : findChild<QMenu*>(QStringLiteral("languageMenu"))->actions())
        action->setChecked(action->data().toString() == shown);
}

// A switch of the menu "Вид", as the lesson has it: a change goes into the
// lesson and shows at the next run, or at once with live redraw.
void Form1::addSwitch(QMenu* menu, const LessonSwitch& row)
{
    QAction* action = menu->addAction(QString());
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
    bar->setAccessibleDescription(tr("%1 м").arg(valueLabel->text()));  // the bar's own value is negated
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
    list1_->setCurrentItem(graphEntry(kAxisGraphEntry));
    label7_->hide();
    text1_->hide();
}

// The graph list's entry of the graph (params/graph_choice.h).
QListWidgetItem* Form1::graphEntry(std::string_view entry) const
{
    for (int row = 0; row < list1_->count(); ++row)
        if (list1_->item(row)->data(Qt::UserRole).toString() == FromUtf8(entry))
            return list1_->item(row);
    return nullptr;
}

void Form1::showGraphChoice()
{
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    const QString entry = selected.isEmpty() ? QString() : selected.first()->data(Qt::UserRole).toString();
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

// The help documents in the shown language where they are (spravka.en.pdf),
// else the Russian ones.
void Form1::openHelpDocument(const QString& fileName)
{
    desktop_.openDocument(DocumentInLanguage(fileName, ShownLanguage()));
}

void Form1::openInstruction()
{
    const QString fileName = DocumentInLanguage(QStringLiteral("instruction.txt"), ShownLanguage());
    if (!desktop_.startTextEditor(fileName))
        ShowProblem(this, tr("Не удалось запустить текстовый редактор для файла %1.").arg(fileName));
}

// Every text of the window written anew in the language now shown: the
// menus, the controls, the numbers, the caption, the measurements' line and
// the picture's description; with live redraw the picture is drawn again.
void Form1::retranslate()
{
    retranslateMenus();
    retranslateControls();
    showParameter(vScroll1_, label4_, lesson_.params.radius);
    showParameter(vScroll2_, label5_, lesson_.params.length);
    showParameter(vScroll3_, label6_, lesson_.params.halfRange);
    showCaption();
    showMeasurementStatus();
    showPictureDescription();
    if (lastRun_ || liveStatusLabel_->isVisible())
        runIfLive();  // with live redraw the picture's words, or the refusal over it, in the new language
}

void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
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
