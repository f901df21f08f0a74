// The main window as its user meets it: start-up, layout, parameter controls
// and the calculation run.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionSlider>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

#include "app/control_layout.h"
#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "window_test_support.h"

namespace {

const QRegularExpression kRunCaption(QStringLiteral("^Зорекс   время расчета [0-9]+ c$"));

bool IsAllWhite(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

bool Near(const QRect& actual, const RealRect& expected)
{
    return std::fabs(actual.x() - expected.left) < 1 && std::fabs(actual.y() - expected.top) < 1 &&
           std::fabs(actual.width() - expected.width) < 1 && std::fabs(actual.height() - expected.height) < 1;
}

// The centre of a part of a scroll bar as its style draws it.
QPoint CentreOf(ParameterScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    return rect.isEmpty() ? QPoint(-1, -1) : rect.center();
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    template <typename T>
    T* control(const char* name)
    {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }
    QLabel* label(const char* name) { return control<QLabel>(name); }
    ParameterScrollBar* bar(const char* name) { return control<ParameterScrollBar>(name); }
    PictureBox* picture() { return control<PictureBox>("Picture1"); }
    QListWidget* list() { return control<QListWidget>("List1"); }
    QLineEdit* lineCountBox() { return control<QLineEdit>("Text1"); }
    QWidget* clientArea() { return form->centralWidget(); }

    void startForm()
    {
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // Clicks "расчет" and answers a message box, if one comes, with OK.
    SeenMessageBox pressCalculate()
    {
        return AnswerMessageBox(QMessageBox::Ok,
                                [this] { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); });
    }

    void resizeClientArea(int width, int height)
    {
        const QSize frame = form->size() - clientArea()->size();
        form->resize(QSize(width, height) + frame);
        QTRY_COMPARE(clientArea()->size(), QSize(width, height));
    }

    void verifyLayoutFor(QSize client)
    {
        const auto expected = ArrangeControls(client.width(), client.height());
        QVERIFY(expected.has_value());
        const std::pair<const char*, RealRect> places[] = {
            {"Picture1", expected->picture1}, {"CmdOK", expected->cmdOK},       {"List1", expected->list1},
            {"Label7", expected->label7},     {"Text1", expected->text1},       {"Label1", expected->label1},
            {"Label4", expected->label4},     {"VScroll1", expected->vScroll1}, {"Label2", expected->label2},
            {"Label5", expected->label5},     {"VScroll2", expected->vScroll2}, {"Label3", expected->label3},
            {"Label6", expected->label6},     {"VScroll3", expected->vScroll3},
        };
        for (const auto& [name, rect] : places)
            QVERIFY2(Near(control<QWidget>(name)->geometry(), rect), name);
    }

    DesktopDouble desktop;
    std::unique_ptr<Form1> form;

private slots:
    void initTestCase() { InstallQtWarningTrap(); }

    void init()
    {
        QLocale::setDefault(QLocale::c());
        desktop = DesktopDouble();
        startForm();
    }

    void cleanup()
    {
        if (form) {
            form->hide();  // hiding is no close request: no question
            form.reset();
        }
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TakeQtWarnings(), QStringList());
    }

    void startsWithTheDefaultsShownAndNothingDrawn()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Зорекс"));
        QCOMPARE(clientArea()->size(), QSize(659, 406));
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("поле на оси Hz(z)"));
        QCOMPARE(list()->item(1)->text(), QStringLiteral("линии напряженности"));
        QCOMPARE(list()->selectedItems().size(), 1);
        QCOMPARE(list()->selectedItems().first(), list()->item(0));
        QCOMPARE(label("Label4")->text(), QStringLiteral("0.20"));
        QCOMPARE(label("Label5")->text(), QStringLiteral("1.00"));
        QCOMPARE(label("Label6")->text(), QStringLiteral("2.00"));
        QCOMPARE(bar("VScroll1")->position(), 2);
        QCOMPARE(bar("VScroll2")->position(), 10);
        QCOMPARE(bar("VScroll3")->position(), 20);
        QVERIFY(label("Label7")->isHidden());
        QVERIFY(lineCountBox()->isHidden());
        QCOMPARE(lineCountBox()->text(), QStringLiteral("7"));

        const CalcParams& p = form->params();
        QCOMPARE(p.radius, 0.2);
        QCOMPARE(p.length, 1.0);
        QCOMPARE(p.halfRange, 2.0);
        QCOMPARE(p.graphMode, kAxisGraph);
        QCOMPARE(p.lineCount, 7.0);

        QVERIFY(picture()->image().isNull());
        const QImage shown = picture()->grab().toImage();
        QVERIFY(IsAllWhite(shown, picture()->contentsRect()));
    }

    void focusStartsOnTheButtonAndFollowsTheTabOrder()
    {
        QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>("CmdOK"));
        const char* order[] = {"CmdOK", "VScroll1", "VScroll2", "VScroll3", "Picture1", "List1", "Text1"};
        list()->setCurrentRow(1);  // shows Text1, the last stop
        for (const char* name : order) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmdOK"));
    }

    void controlsCarryTheirTextsTipsAndColours()
    {
        QCOMPARE(label("Label1")->text(), QStringLiteral("радиус. м"));
        QCOMPARE(label("Label2")->text(), QStringLiteral("длина,  м"));
        QCOMPARE(label("Label3")->text(), QStringLiteral("размер, м"));
        QCOMPARE(label("Label7")->text(), QStringLiteral("число линий"));
        QCOMPARE(control<QPushButton>("CmdOK")->text(), QStringLiteral("расчет"));
        QCOMPARE(control<QPushButton>("CmdOK")->toolTip(), QStringLiteral("Выполнить расчёт"));
        QCOMPARE(list()->toolTip(), QStringLiteral("выбор графика"));
        QCOMPARE(lineCountBox()->toolTip(), QStringLiteral("Введите число"));
        QCOMPARE(label("Label3")->toolTip(), QStringLiteral("полуразмер области вдоль оси OZ, м"));
        QCOMPARE(label("Label6")->toolTip(), QStringLiteral("полуразмер области вдоль оси OZ, м "));
        QCOMPARE(label("Label7")->toolTip(), QStringLiteral("количество линий индукции магнитного поля"));
        const QColor lightYellow(255, 255, 192);
        QCOMPARE(lineCountBox()->palette().color(QPalette::Base), lightYellow);
        for (const char* name : {"Label4", "Label5", "Label6"}) {
            QCOMPARE(label(name)->palette().color(QPalette::Window), lightYellow);
            QCOMPARE(label(name)->frameShape(), QFrame::Box);
        }
        QCOMPARE(control<QPushButton>("CmdOK")->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(label("Label7")->font().pointSize(), 12);
        QCOMPARE(picture()->frameWidth(), 2);
        QCOMPARE(picture()->contentsRect(), picture()->rect().adjusted(2, 2, -2, -2));
    }

    void layoutFollowsTheClientArea()
    {
        verifyLayoutFor(QSize(659, 406));
        QCOMPARE(picture()->geometry(), QRect(4, 4, 651, 320));
        QCOMPARE(control<QWidget>("CmdOK")->geometry(), QRect(560, 328, 65, 22));

        resizeClientArea(900, 406);  // wider
        verifyLayoutFor(QSize(900, 406));
        resizeClientArea(900, 600);  // taller
        verifyLayoutFor(QSize(900, 600));
        QCOMPARE(label("Label7")->geometry(), QRect(4, 570, 130, 22));

        form->showMinimized();
        QTest::qWait(20);
        form->showNormal();
        QTRY_COMPARE(clientArea()->size(), QSize(900, 600));
        verifyLayoutFor(QSize(900, 600));
    }

    void tooSmallAClientAreaLeavesTheControlsInPlace()
    {
        const QRect buttonBefore = control<QWidget>("CmdOK")->geometry();
        const QRect pictureBefore = picture()->geometry();
        resizeClientArea(300, 60);
        QCOMPARE(control<QWidget>("CmdOK")->geometry(), buttonBefore);
        QCOMPARE(picture()->geometry(), pictureBefore);
        resizeClientArea(700, 300);  // room again: the layout comes back
        verifyLayoutFor(QSize(700, 300));
    }

    void scrollBarsIncreaseUpwards()
    {
        ParameterScrollBar* radius = bar("VScroll1");
        radius->setFocus();
        QTest::keyClick(radius, Qt::Key_Up);
        QCOMPARE(radius->position(), 3);
        QCOMPARE(form->params().radius, 0.30000000000000004);
        QCOMPARE(label("Label4")->text(), QStringLiteral("0.30"));
        QTest::keyClick(radius, Qt::Key_Down);
        QTest::keyClick(radius, Qt::Key_Down);
        QCOMPARE(label("Label4")->text(), QStringLiteral("0.10"));
        QTest::keyClick(radius, Qt::Key_PageUp);
        QCOMPARE(radius->position(), 51);
        QCOMPARE(label("Label4")->text(), QStringLiteral("5.10"));
        QTest::keyClick(radius, Qt::Key_PageDown);
        QTest::keyClick(radius, Qt::Key_PageDown);
        QCOMPARE(radius->position(), 0);  // the bar stops at its bottom end
        QCOMPARE(form->params().radius, 0.0);
        QCOMPARE(label("Label4")->text(), QStringLiteral("0.00"));
        radius->setPosition(100);
        QCOMPARE(form->params().radius, 10.0);
        QCOMPARE(label("Label4")->text(), QStringLiteral("10.00"));
    }

    void arrowsAndTrackStepTheBarsByMouse()
    {
        ParameterScrollBar* radius = bar("VScroll1");
        QTest::mouseClick(radius, Qt::LeftButton, {}, CentreOf(radius, QStyle::SC_ScrollBarAddLine));
        QCOMPARE(radius->position(), 1);  // the lower arrow decreases
        QCOMPARE(label("Label4")->text(), QStringLiteral("0.10"));
        QTest::mouseClick(radius, Qt::LeftButton, {}, CentreOf(radius, QStyle::SC_ScrollBarSubLine));
        QTest::mouseClick(radius, Qt::LeftButton, {}, CentreOf(radius, QStyle::SC_ScrollBarSubLine));
        QCOMPARE(radius->position(), 3);  // the upper arrow increases

        ParameterScrollBar* region = bar("VScroll3");
        const QPoint aboveThumb = CentreOf(region, QStyle::SC_ScrollBarSubPage);
        QVERIFY2(aboveThumb.y() >= 0, "the track above the thumb has room for a click");
        QTest::mouseClick(region, Qt::LeftButton, {}, aboveThumb);
        QCOMPARE(region->position(), 30);
        QCOMPARE(form->params().halfRange, 3.0);
        QCOMPARE(label("Label6")->text(), QStringLiteral("3.00"));

        ParameterScrollBar* length = bar("VScroll2");
        QTest::mouseClick(length, Qt::LeftButton, {}, CentreOf(length, QStyle::SC_ScrollBarSubPage));
        QCOMPARE(length->position(), 60);
        QCOMPARE(form->params().length, 6.0);
    }

    void draggingTheThumbChangesNothingUntilReleased()
    {
        ParameterScrollBar* length = bar("VScroll2");
        length->setSliderDown(true);
        length->setSliderPosition(-70);  // the thumb dragged up to position 70
        QCOMPARE(form->params().length, 1.0);
        QCOMPARE(label("Label5")->text(), QStringLiteral("1.00"));
        length->setSliderDown(false);
        QCOMPARE(length->position(), 70);
        QCOMPARE(form->params().length, 7.0);
        QCOMPARE(label("Label5")->text(), QStringLiteral("7.00"));
    }

    void labelsUseTheDecimalSeparatorOfTheLocale()
    {
        form.reset();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        startForm();
        QCOMPARE(label("Label4")->text(), QStringLiteral("0,20"));
        QCOMPARE(label("Label5")->text(), QStringLiteral("1,00"));
        QCOMPARE(label("Label6")->text(), QStringLiteral("2,00"));
        bar("VScroll3")->setPosition(100);
        QCOMPARE(label("Label6")->text(), QStringLiteral("10,00"));
    }

    void lineCountIsReadFromTheBoxAsTyped()
    {
        const struct {
            const char* text;
            double count;
        } cases[] = {
            {"7", 7},    {"", 0},      {"12abc", 12}, {" 1 2", 12}, {"3.5", 3.5},  {"3,5", 3},
            {"-4", -4},  {"1E1", 10},  {"&H0A", 10},  {"&h0a", 10}, {"&O17", 15}, {"abc", 0},
        };
        for (const auto& c : cases) {
            lineCountBox()->setText(QString::fromUtf8(c.text));
            QCOMPARE(form->params().lineCount, c.count);
        }
        lineCountBox()->clear();
        lineCountBox()->show();
        lineCountBox()->setFocus();
        QTest::keyClicks(lineCountBox(), QStringLiteral("25"));
        QCOMPARE(form->params().lineCount, 25.0);
        QTest::keyClick(lineCountBox(), Qt::Key_Backspace);  // every keystroke counts
        QCOMPARE(form->params().lineCount, 2.0);
        lineCountBox()->setText(QStringLiteral("1E400"));
        QCOMPARE(form->params().lineCount, std::numeric_limits<double>::infinity());
    }

    void graphListSwitchesTheLineCountBox()
    {
        list()->setCurrentRow(1);
        QCOMPARE(form->params().graphMode, kFieldLinesGraph);
        QVERIFY(label("Label7")->isVisible());
        QVERIFY(lineCountBox()->isVisible());
        lineCountBox()->setText(QStringLiteral("3"));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
        QCOMPARE(form->params().graphMode, kAxisGraph);
        QVERIFY(label("Label7")->isHidden());
        QVERIFY(lineCountBox()->isHidden());
        list()->clearSelection();  // no entry selected: the axis graph, the box as it was
        QCOMPARE(form->params().graphMode, kAxisGraph);
        QVERIFY(lineCountBox()->isHidden());
        list()->setCurrentRow(1);
        QCOMPARE(lineCountBox()->text(), QStringLiteral("3"));
        QCOMPARE(form->params().lineCount, 3.0);
        QVERIFY(picture()->image().isNull());  // nothing was drawn by the way
    }

    void calculateDrawsThePictureAndTimesTheRun()
    {
        const SeenMessageBox box = pressCalculate();
        QVERIFY(!box.shown);
        QVERIFY2(kRunCaption.match(form->windowTitle()).hasMatch(), qPrintable(form->windowTitle()));
        const QImage first = picture()->image();
        QCOMPARE(first.size(), QSize(651, 320));  // the drawing scales to the picture's full size
        QVERIFY(!IsAllWhite(first, first.rect()));
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // The image is shown from the inner corner of the frame.
        const QImage shown = picture()->grab().toImage();
        for (const QPoint at : {QPoint(0, 0), QPoint(325, 160), QPoint(100, 160), QPoint(646, 315)})
            QCOMPARE(shown.pixel(at + QPoint(2, 2)), first.pixel(at));

        pressCalculate();  // the same parameters give the same picture and a fresh caption
        QCOMPARE(picture()->image(), first);
        QVERIFY(kRunCaption.match(form->windowTitle()).hasMatch());

        list()->setCurrentRow(1);
        bar("VScroll1")->setPosition(3);
        QCOMPARE(picture()->image(), first);  // changing a control redraws nothing
        pressCalculate();
        QVERIFY(picture()->image() != first);
        QVERIFY(kRunCaption.match(form->windowTitle()).hasMatch());
    }

    void resizingKeepsTheLastDrawing()
    {
        pressCalculate();
        const QImage drawn = picture()->image();
        const QString caption = form->windowTitle();
        resizeClientArea(800, 500);
        QCOMPARE(picture()->image(), drawn);
        QCOMPARE(form->windowTitle(), caption);
        const QImage shown = picture()->grab().toImage();
        QVERIFY(IsAllWhite(shown, QRect(660, 10, 100, 80)));  // beyond the old drawing
        pressCalculate();
        QCOMPARE(picture()->image().size(), QSize(792, 414));
    }

    void refusedRunsChangeNothing()
    {
        pressCalculate();
        const QImage drawn = picture()->image();
        const QString caption = form->windowTitle();

        bar("VScroll3")->setPosition(0);
        SeenMessageBox box = pressCalculate();
        QVERIFY(box.shown);
        QCOMPARE(box.title, QStringLiteral("Зорекс"));
        QCOMPARE(box.text, QStringLiteral("Размер области должен быть больше нуля."));
        QCOMPARE(picture()->image(), drawn);
        QCOMPARE(form->windowTitle(), caption);

        bar("VScroll3")->setPosition(20);
        list()->setCurrentRow(1);
        lineCountBox()->setText(QStringLiteral("1E400"));  // beyond a double: an infinite line count
        box = pressCalculate();
        QVERIFY(box.shown);
        QCOMPARE(box.text, QStringLiteral("Число линий должно быть не больше 200."));
        QCOMPARE(picture()->image(), drawn);
        QCOMPARE(form->windowTitle(), caption);
    }

    void minimizingAndShrinkingToAPixelKeepEachGraphAndTheLayout()
    {
        for (int row : {0, 1}) {
            list()->setCurrentRow(row);
            pressCalculate();
            const QImage drawn = picture()->image();
            const QSize client = clientArea()->size();

            form->showMinimized();
            QTest::qWait(20);
            form->showNormal();
            QTRY_COMPARE(clientArea()->size(), client);
            verifyLayoutFor(client);

            const QSize frame = form->size() - clientArea()->size();
            form->resize(frame + QSize(1, 1));
            QTRY_VERIFY(clientArea()->height() < 86);  // no room for the layout
            resizeClientArea(client.width(), client.height());
            verifyLayoutFor(client);
            QCOMPARE(picture()->image(), drawn);  // neither cleared nor redrawn
            QCOMPARE(TakeQtWarnings(), QStringList());
        }
    }

    void noRoomForThePictureIsRefused()
    {
        resizeClientArea(300, 86);  // the picture has no size at all
        QCOMPARE(picture()->size(), QSize(292, 0));
        const SeenMessageBox box = pressCalculate();
        QVERIFY(box.shown);
        QCOMPARE(box.text, QStringLiteral("Окно слишком мало для рисунка."));
        QCOMPARE(form->windowTitle(), QStringLiteral("Зорекс"));
        QVERIFY(picture()->image().isNull());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
