#pragma once

#include <QImage>
#include <QMainWindow>
#include <QSize>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/recent_files.h"
#include "app/run_record.h"
#include "lesson/lesson.h"
#include "measure/measured_units.h"
#include "plot/calculation_run.h"

class DesktopActions;
class LiveRunner;
struct LessonSwitch;
class MeasurementLoader;
struct MeasurementFileReading;
class QCheckBox;
struct LiveResult;
class QAction;
class ParameterScrollBar;
class PictureBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTimer;

// The program's one window: the picture, the band of parameter controls under
// it, the button "расчет" and the menus "Файл" and "Помощь". It holds the one
// parameter record of the program. Its handlers are thin: a parameter control
// stores one field and updates its label or a visibility, the button runs the
// calculation, a change of size places the controls again, and closing asks
// for confirmation.
//
// The menu "Вид" adds to the next run of the field-line graph the exact lines
// (or lines of equal flux), arrowheads along the lines and the field strength
// map, and to either graph the scales; takes the coil's dimensions typed in
// metres with any decimals and its turns and current for values in SI units, sets a
// pair of coils (whose lines are its exact lines of equal flux) and the
// outline of the region of uniform field, and can make every change of a
// parameter run the calculation at once. The menu
// "Файл" opens a table of measured values (read on a thread of its own), which
// the axis graph then compares with the calculation, fitted when
// "Подогнать" is on; a line under the picture sums the comparison up while
// measurements are open. The last run is kept as it was drawn: the picture reads
// its values under the cursor, describes itself to screen readers, and is
// saved (as the export tool writes it) or copied from the menu "Файл".
//
// With live redraw on, a change runs the calculation on a thread of its own
// (LiveRunner): the window keeps answering, the newest values win, a refusal
// shows in a line over the picture instead of a message box, a long run shows
// its progress there and Esc cancels it. The button "расчет" always runs at
// once on the window's thread, abandoning a live run.
//
// Every text is shown in the program's language (app/shown_language.h): the
// one chosen last in «Вид → Язык / Language», else the system's. A switch
// writes every text anew at once, those of an open dialog too: the menus,
// the controls, the numbers, the caption, the measurements' line and the
// picture's description.
class Form1 final : public QMainWindow {
    Q_OBJECT
public:
    // Builds and starts the window: places it on the screen, fills the graph
    // list, arranges the controls, sets the defaults and gives the controls
    // their start state. Nothing is drawn until the first run.
    explicit Form1(DesktopActions& desktop, QWidget* parent = nullptr);
    ~Form1() override;

    const CalcParams& params() const { return lesson_.params; }

    // Opens a lesson file, or a table of measured values as "Открыть
    // измерения…" does; a lesson replaces every choice and is run.
    void openFile(const QString& path);

signals:
    // A finished run has replaced the picture and the caption.
    void pictureShown();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The controls (window_controls.cpp).
    void createControls();
    void setFocusOrder();
    void arrangeControls();
    void createMenus();
    void addLanguageMenu(QMenu* view);
    void retranslate();
    void retranslateMenus();
    void retranslateControls();
    QListWidgetItem* graphEntry(std::string_view entry) const;
    void connectControls();
    void addSwitch(QMenu* menu, const LessonSwitch& row);
    void showSwitches();
    void connectParameter(ParameterScrollBar* bar, double CalcParams::*field, QLabel* valueLabel);
    void showParameter(ParameterScrollBar* bar, QLabel* valueLabel, double value);
    void setTypedParameter(ParameterScrollBar* bar, double CalcParams::*field, QLabel* valueLabel, double value);
    void placeOnScreen();
    void applyStartState();
    void showGraphChoice();
    void showAdditionsChoice();
    void openHelpDocument(const QString& fileName);
    void openInstruction();
    // The runs and the picture they leave (run_commands.cpp).
    void runCalculation();
    void runIfLive();
    void startLiveRun();
    void showLiveResult(LiveResult result);
    void showLiveStatus(const QString& text);
    void showLiveProgress();
    void cancelLiveRun();
    void answerEscape();
    void toggleFullScreen();
    void showPictureDescription();
    void showRun(Lesson lesson, const CalcParams& drawn, QSize size, double pixelRatio, QImage image,
                 Message caption, std::optional<AxisComparison> comparison);
    void followPixelRatio();
    void copyPicture();
    // The dialogs of the menu "Вид" (view_dialog_commands.cpp).
    bool askCoilCurrent();
    void askCoilSize();
    void askCoilPair();
    void askUniformRegion();
    // The measured values (measurement_commands.cpp).
    bool haveWinding();
    void openMeasurements();
    void loadMeasurements(const QString& path);
    void takeMeasurements(MeasurementFileReading reading);
    void closeMeasurements();
    void showMeasurementStatus();
    // The lesson file (lesson_commands.cpp).
    void showCaption();
    void askFileToOpen();
    void openLesson(const QString& path, const QByteArray& bytes);
    void showLesson();
    void saveLesson();
    void showRecentFiles();
    void rememberFile(const QString& path);
    void openRecentFile(const QString& path);

    DesktopActions& desktop_;
    Lesson lesson_;
    std::optional<RunRecord> lastRun_;  // nothing before the first run
    MeasuredUnits measuredUnits_;       // as last chosen for a file, z in cm and B in mT at start
    QString loadingPath_;               // the measurement file being read, while it is
    QString lessonPath_;                // the lesson file last opened or saved; none at start
    std::shared_ptr<const MeasurementSet> savedMeasurements_;  // as that file holds them
    Message runCaption_{kProgramTitle};  // as the last run left it, without the lesson's name
    RecentFiles recentFiles_;

    QWidget* client_ = nullptr;
    PictureBox* picture1_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QListWidget* list1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    ParameterScrollBar* vScroll1_ = nullptr;
    ParameterScrollBar* vScroll2_ = nullptr;
    ParameterScrollBar* vScroll3_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label7_ = nullptr;
    QAction* savePictureAction_ = nullptr;
    QAction* copyPictureAction_ = nullptr;
    std::vector<std::pair<const LessonSwitch*, QAction*>> switchActions_;  // the menu "Вид"'s switches
    QAction* liveAction_ = nullptr;
    QAction* fullScreenAction_ = nullptr;
    QAction* openMeasurementsAction_ = nullptr;
    QAction* closeMeasurementsAction_ = nullptr;
    QAction* fitAction_ = nullptr;       // the switch of the measurements' fit
    QMenu* recentMenu_ = nullptr;
    QLabel* measurementLabel_ = nullptr;  // in the status bar, made with the first file opened
    QCheckBox* fitBox_ = nullptr;         // beside it: the same switch as fitAction_
    QLabel* liveStatusLabel_ = nullptr;  // over the picture: a live refusal, or a long live run's progress
    QTimer* liveProgressTimer_ = nullptr;
    std::unique_ptr<MeasurementLoader> loader_;
    std::unique_ptr<LiveRunner> live_;  // declared last: its run has ended before the rest goes
};
