// The main window as its user meets it, on the offscreen platform; any Qt warning fails the test.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

#include "app/desktop_actions.h"
#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/shown_language.h"
#include "app/window_placement.h"
#include "qt_warning_trap.h"

namespace {

struct DesktopDouble final : DesktopActions {
    void openDocument(const QString& fileName) override { opened << fileName; }
    bool startTextEditor(const QString& fileName) override { return edited << fileName, editorStarts; }
    QStringList opened, edited;
    bool editorStarts = true;
};

// Runs the action, answers the first message box it opens; returns its title, text, buttons, default button.
QStringList AnswerMessageBox(QMessageBox::StandardButton answer, const std::function<void()>& action)
{
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen << box->windowTitle() << box->text() << QString::number(box->standardButtons())
                 << QString::number(box->standardButton(box->defaultButton()));
            box->button(answer)->click();
        }
    });
    poll.start(5);
    action();
    return seen;
}

// Clicks the middle of a part of a scroll bar as its style draws it.
void Click(QScrollBar* bar, QStyle::SubControl part)
{
    struct Options : QScrollBar { using QScrollBar::initStyleOption; };  // protected in QScrollBar
    QStyleOptionSlider option;
    (bar->*&Options::initStyleOption)(&option);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center());
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    template <typename T = QWidget>
    T* control(const char* name)
    {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        return found ? found : (qFatal("no control %s", name), nullptr);
    }
    ParameterScrollBar* bar(const char* name) { return control<ParameterScrollBar>(name); }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    QImage drawing() { return control<PictureBox>("Picture1")->image(); }
    QListWidget* list() { return control<QListWidget>("List1"); }
    QLineEdit* lineCountBox() { return control<QLineEdit>("Text1"); }
    QStringList calculate() { return AnswerMessageBox(QMessageBox::Ok, [this] { QTest::mouseClick(control("CmdOK"), Qt::LeftButton); }); }
    QStringList choose(const char* item) { return AnswerMessageBox(QMessageBox::Ok, [=, this] { control<QAction>(item)->trigger(); }); }
    bool captionTimesTheRun() { return QRegularExpression("^Зорекс   время расчета [0-9]+ c$").match(form->windowTitle()).hasMatch(); }
    void startForm()
    {
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void resizeClientArea(int width, int height)
    {
        form->resize(QSize(width, height) + form->size() - form->centralWidget()->size());
        QTRY_COMPARE(form->centralWidget()->size(), QSize(width, height));
    }
    // The picture above a band: list, line count under it, three parameter groups, the button at 85 % of the width.
    void verifyLayout(int sw, int sh)
    {
        const auto place = [this](const char* name, double x, double y, double w, double h) {
            QCOMPARE(control(name)->geometry(), QRect(std::lround(x), std::lround(y), std::lround(w), std::lround(h)));
        };
        place("Picture1", 4, 4, sw - 8, sh - 86);
        place("CmdOK", 0.85 * sw, sh - 78, 65, 22);
        place("List1", 4, sh - 78, 195, 44);
        place("Label7", 4, sh - 30, 130, 22);
        place("Text1", 134, sh - 30, 65, 22);
        for (int g = 0; g < 3; ++g) {  // radius, length, region: Label1-3 over Label4-6, VScroll1-3 beside them
            const double left = 219 + g * (65 + 16.25 + 20);
            place(qPrintable(QString("Label%1").arg(g + 1)), left, sh - 78, 65, 22);
            place(qPrintable(QString("Label%1").arg(g + 4)), left, sh - 56, 65, 22);
            place(qPrintable(QString("VScroll%1").arg(g + 1)), left + 65, sh - 78, 16.25, 44);
        }
    }

    DesktopDouble desktop;
    std::unique_ptr<Form1> form;

private slots:
    void initTestCase() { InstallQtWarningTrap(); }
    void init() { desktop = DesktopDouble(), startForm(); }
    void cleanup()
    {
        form.reset();  // destroyed without a close request: no question
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TakeQtWarnings(), QStringList());
    }

    void startsWithTheStartValuesThenTheListSwitchesTheLineCountBox()
    {
        QVERIFY(form->windowTitle() == QStringLiteral("Зорекс") && list()->selectedItems() == QList{list()->item(0)});
        QCOMPARE(QStringList({text("Label4"), text("Label5"), text("Label6"), lineCountBox()->text()}), QStringList({"0.20", "1.00", "2.00", "7"}));
        QCOMPARE(QList<int>({bar("VScroll1")->position(), bar("VScroll2")->position(), bar("VScroll3")->position()}), QList<int>({2, 10, 20}));
        QVERIFY(lineCountBox()->isHidden() && control("Label7")->isHidden() && drawing().isNull());
        QTRY_COMPARE(QApplication::focusWidget(), control("CmdOK"));  // the space bar runs the calculation
        // The list shows the line-count box for the field lines; every keystroke counts.
        list()->setCurrentRow(1);
        QVERIFY(form->params().graphMode == kFieldLinesGraph && lineCountBox()->isVisible() && control("Label7")->isVisible());
        lineCountBox()->clear();
        QTest::keyClicks(lineCountBox(), QStringLiteral("&H1A"));
        QCOMPARE(form->params().lineCount, 26.0);
        QTest::keyClick(lineCountBox(), Qt::Key_Backspace);
        QCOMPARE(form->params().lineCount, 1.0);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
        QVERIFY(form->params().graphMode == kAxisGraph && lineCountBox()->isHidden() && control("Label7")->isHidden());
        list()->clearSelection();  // no entry selected: the axis graph, the box as it was
        QVERIFY(form->params().graphMode == kAxisGraph && lineCountBox()->isHidden() && drawing().isNull());
        // A tenth of the free width and a fiftieth of the free height, to the nearest pixel.
        QCOMPARE(PlaceWindow(1024, 768, 659, 425), (WindowOrigin{37, 7}));
        QCOMPARE(PlaceWindow(600, 300, 680, 470), (WindowOrigin{-8, -3}));
    }

    // The controls follow the client area, stay put while there is no room; the drawing is neither cleared nor redrawn.
    void layoutFollowsTheClientAreaThroughEveryResize()
    {
        verifyLayout(659, 406);
        resizeClientArea(900, 600);
        verifyLayout(900, 600);
        calculate();
        const QImage drawn = drawing();
        form->resize(form->size() - form->centralWidget()->size() + QSize(1, 1));
        QTRY_VERIFY(form->centralWidget()->height() < 86);
        QCOMPARE(control("CmdOK")->geometry(), QRect(765, 522, 65, 22));
        resizeClientArea(900, 600);
        verifyLayout(900, 600);
        QCOMPARE(drawing(), drawn);
    }

    // Up increases, by mouse and key; label and parameter follow the released thumb, in the locale's decimals.
    void scrollBarsSetTheParameters()
    {
        const auto expect = [this](const char* b, const char* label, int position, double CalcParams::*value) {
            QCOMPARE(bar(b)->position(), position);
            QCOMPARE(text(label), QString::number(position / 10.0, 'f', 2));
            QCOMPARE(form->params().*value, position * 0.1);
        };
        Click(bar("VScroll1"), QStyle::SC_ScrollBarAddLine);  // the lower arrow
        expect("VScroll1", "Label4", 1, &CalcParams::radius);
        for (const auto& [key, position] : {std::pair{Qt::Key_PageUp, 51}, {Qt::Key_Up, 52}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 0}}) {
            QTest::keyClick(bar("VScroll1"), key);
            expect("VScroll1", "Label4", position, &CalcParams::radius);
        }
        Click(bar("VScroll3"), QStyle::SC_ScrollBarSubPage);  // the track above the thumb
        expect("VScroll3", "Label6", 30, &CalcParams::halfRange);
        bar("VScroll2")->setSliderDown(true);
        bar("VScroll2")->setSliderPosition(-70);  // the thumb dragged up to position 70
        QCOMPARE(form->params().length, 1.0);
        bar("VScroll2")->setSliderDown(false);
        expect("VScroll2", "Label5", 70, &CalcParams::length);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        startForm();
        QCOMPARE(text("Label4"), QStringLiteral("0,20"));
    }

    // A run draws the picture and times itself; the picture stays over resizing; a refused run changes nothing.
    void calculateDrawsThePictureOrRefuses()
    {
        QVERIFY(calculate().isEmpty());
        QVERIFY2(captionTimesTheRun(), qPrintable(form->windowTitle()));
        const QImage first = drawing();
        QCOMPARE(first.size(), QSize(651, 320));
        const QImage shown = control("Picture1")->grab().toImage();  // the image from the inner corner of the frame
        for (const QPoint at : {QPoint(0, 0), QPoint(325, 160), QPoint(100, 160), QPoint(646, 315)})
            QCOMPARE(shown.pixel(at + QPoint(2, 2)), first.pixel(at));
        QVERIFY(QApplication::overrideCursor() == nullptr);  // the wait cursor is gone
        list()->setCurrentRow(1);
        bar("VScroll1")->setPosition(3);
        QCOMPARE(drawing(), first);  // changing a control redraws nothing
        calculate();
        const QImage lines = drawing();
        QVERIFY(lines != first && captionTimesTheRun());
        QString caption = form->windowTitle();
        resizeClientArea(800, 500);
        QVERIFY(drawing() == lines && form->windowTitle() == caption);
        calculate();
        QCOMPARE(drawing().size(), QSize(792, 414));
        // A refused run shows its reason and changes neither the picture nor the caption.
        const QImage drawn = drawing();
        caption = form->windowTitle();
        for (const auto& change : std::vector<std::function<void()>>{
                 [this] { bar("VScroll3")->setPosition(0); },
                 [this] { bar("VScroll3")->setPosition(20), resizeClientArea(300, 86); }}) {  // a picture of no height
            change();
            const QStringList box = calculate();
            QVERIFY(box.size() == 4 && box[0] == QStringLiteral("Зорекс") && !box[1].isEmpty());
            QVERIFY(drawing() == drawn && form->windowTitle() == caption);
        }
    }

    // The documents open by name, the instruction in an editor each time; the boxes' lines break at line feeds.
    void menuCommandsAndClosing()
    {
        for (const char* item : {"mnuFileSprav", "mnuHelpUprav", "mnuHelpInstruction", "mnuHelpInstruction"})
            QVERIFY(choose(item).isEmpty());
        QCOMPARE(desktop.opened, (QStringList{"spravka.pdf", "uprav.pdf"}));
        QCOMPARE(desktop.edited, (QStringList{"instruction.txt", "instruction.txt"}));
        desktop.editorStarts = false;
        QVERIFY(choose("mnuHelpInstruction").value(1).contains(QStringLiteral("instruction.txt")));
        for (const auto& [item, title, lines] : {std::tuple{"mnuHelpAbout", "О ПРОГРАММЕ", 11}, {"mnuHelpAvtors", "ОБ АВТОРАХ", 5}}) {
            const QStringList box = choose(item);
            QCOMPARE(box.value(0), QString::fromUtf8(title));
            QVERIFY(!box.value(1).contains(QLatin1Char('\r')) && !box.value(1).contains(QLatin1Char('@')));
            QCOMPARE(box.value(1).split(QLatin1Char('\n')).size(), lines);
        }
        // The close box and "Выход" ask first; No keeps the window and its drawing, Yes closes it.
        calculate();
        const QImage drawn = drawing();
        const std::function<void()> requests[] = {[this] { form->close(); }, [this] { control<QAction>("mnuFileExit")->trigger(); }};
        const QStringList question{"На Выход", "Вы абсолютно уверены?", QString::number(QMessageBox::Yes | QMessageBox::No),
                                   QString::number(QMessageBox::Yes)};
        for (const auto& request : requests) {
            QCOMPARE(AnswerMessageBox(QMessageBox::No, request), question);
            QVERIFY(form->isVisible() && drawing() == drawn);
        }
        QCOMPARE(AnswerMessageBox(QMessageBox::Yes, requests[1]), question);
        QVERIFY(!form->isVisible());
    }

    // In English the help commands open the English documents where they lie beside the Russian ones.
    void helpDocumentsInTheShownLanguage()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile english(QStringLiteral("uprav.en.pdf"));
        QVERIFY(english.open(QIODevice::WriteOnly));
        ShowLanguage(*Language::Named("en"));
        for (const char* item : {"mnuFileSprav", "mnuHelpUprav", "mnuHelpInstruction"})
            choose(item);
        ShowLanguage(Language());
        QDir::setCurrent(before);
        QCOMPARE(desktop.opened, (QStringList{"spravka.pdf", "uprav.en.pdf"}));
        QCOMPARE(desktop.edited, QStringList{"instruction.txt"});
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
