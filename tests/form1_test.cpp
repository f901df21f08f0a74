// The main window as its user meets it: start-up, layout, parameter controls,
// the calculation run, the menus and the confirmed close.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "app/control_layout.h"
#include "app/desktop_actions.h"
#include "app/form1.h"
#include "app/info_texts.h"
#include "app/message_boxes.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "params/scroll_position.h"
#include "window_test_support.h"

namespace {

const QRegularExpression kRunCaption(QStringLiteral("^Зорекс   время расчета [0-9]+ c$"));

bool IsAllWhite(const QImage& image, const QRect& area)
{
    QImage white(area.size(), image.format());
    white.fill(Qt::white);
    return image.copy(area) == white;
}

bool Near(const QRect& actual, const RealRect& expected)
{
    return std::fabs(actual.x() - expected.left) < 1 && std::fabs(actual.y() - expected.top) < 1 &&
           std::fabs(actual.width() - expected.width) < 1 && std::fabs(actual.height() - expected.height) < 1;
}

// The centre of a part of a scroll bar as its style draws it.
QPoint CentreOf(ParameterScrollBar* bar, QStyle::SubControl part)
{
    struct Options : QScrollBar {
        using QScrollBar::initStyleOption;  // protected in QScrollBar
    };
    QStyleOptionSlider option;
    (bar->*&Options::initStyleOption)(&option);
    const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    return rect.isEmpty() ? QPoint(-1, -1) : rect.center();
}

// A desktop that records what it was asked to do.
class DesktopDouble final : public DesktopActions {
public:
    void openDocument(const QString& fileName) override { openedDocuments << fileName; }
    bool startTextEditor(const QString& fileName) override
    {
        editedFiles << fileName;
        return editorStarts;
    }

    QStringList openedDocuments;
    QStringList editedFiles;
    bool editorStarts = true;
};

// What a modal message box showed before it was answered.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Runs the action; answers the first modal message box it opens with the
// given button and reports what the box showed (shown = false when none).
SeenMessageBox AnswerMessageBox(QMessageBox::StandardButton answer, const std::function<void()>& action)
{
    SeenMessageBox seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll.stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (QPushButton* standard = box->defaultButton())
            seen.defaultButton = box->standardButton(standard);
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
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

    // Chooses a menu item and answers a message box, if one comes, with OK.
    SeenMessageBox choose(const char* name)
    {
        return AnswerMessageBox(QMessageBox::Ok, [this, name] { control<QAction>(name)->trigger(); });
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
        QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(0)});
        const char* const properties[][3] = {
            {"Label1", "text", "радиус. м"}, {"Label2", "text", "длина,  м"}, {"Label3", "text", "размер, м"},
            {"Label4", "text", "0.20"}, {"Label5", "text", "1.00"}, {"Label6", "text", "2.00"}, {"Text1", "text", "7"},
            {"Label7", "text", "число линий"}, {"CmdOK", "text", "расчет"}, {"CmdOK", "toolTip", "Выполнить расчёт"},
            {"List1", "toolTip", "выбор графика"}, {"Text1", "toolTip", "Введите число"},
            {"Label3", "toolTip", "полуразмер области вдоль оси OZ, м"},
            {"Label6", "toolTip", "полуразмер области вдоль оси OZ, м "},
            {"Label7", "toolTip", "количество линий индукции магнитного поля"},
        };
        for (const auto& [name, property, value] : properties)
            QCOMPARE(control<QWidget>(name)->property(property).toString(), QString::fromUtf8(value));
        QCOMPARE(bar("VScroll1")->position(), 2);
        QCOMPARE(bar("VScroll2")->position(), 10);
        QCOMPARE(bar("VScroll3")->position(), 20);
        QVERIFY(label("Label7")->isHidden());
        QVERIFY(lineCountBox()->isHidden());

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

        const CalcParams& p = form->params();
        QCOMPARE(p.radius, 0.2);
        QCOMPARE(p.length, 1.0);
        QCOMPARE(p.halfRange, 2.0);
        QCOMPARE(p.graphMode, kAxisGraph);
        QCOMPARE(p.lineCount, 7.0);
        QVERIFY(picture()->image().isNull());
        QVERIFY(IsAllWhite(picture()->grab().toImage(), picture()->contentsRect()));
    }

    void focusStartsOnTheButtonAndFollowsTheTabOrder()
    {
        QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>("CmdOK"));
        list()->setCurrentRow(1);  // shows Text1, the last stop
        for (const char* name : {"CmdOK", "VScroll1", "VScroll2", "VScroll3", "Picture1", "List1", "Text1"}) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CmdOK"));
    }

    // Wider, taller, minimized and restored, shrunk to a pixel and back, with
    // each graph drawn: the controls follow the closed form, stay where they
    // are while there is no room, and the drawing is neither cleared nor redrawn.
    void layoutFollowsTheClientAreaThroughEveryResize()
    {
        verifyLayoutFor(QSize(659, 406));
        QCOMPARE(picture()->geometry(), QRect(4, 4, 651, 320));
        QCOMPARE(control<QWidget>("CmdOK")->geometry(), QRect(560, 328, 65, 22));
        resizeClientArea(900, 406);
        verifyLayoutFor(QSize(900, 406));
        resizeClientArea(900, 600);
        verifyLayoutFor(QSize(900, 600));
        QCOMPARE(label("Label7")->geometry(), QRect(4, 570, 130, 22));

        for (int row : {0, 1}) {
            list()->setCurrentRow(row);
            pressCalculate();
            const QImage drawn = picture()->image();
            const QRect button = control<QWidget>("CmdOK")->geometry();
            form->showMinimized();
            QTest::qWait(20);
            form->showNormal();
            QTRY_COMPARE(clientArea()->size(), QSize(900, 600));
            verifyLayoutFor(QSize(900, 600));

            const QSize frame = form->size() - clientArea()->size();
            form->resize(frame + QSize(1, 1));
            QTRY_VERIFY(clientArea()->height() < 86);  // no room for the layout
            QCOMPARE(control<QWidget>("CmdOK")->geometry(), button);
            resizeClientArea(900, 600);
            verifyLayoutFor(QSize(900, 600));
            QCOMPARE(picture()->image(), drawn);
        }
    }

    void scrollBarsIncreaseUpwardsByKeyAndMouse()
    {
        using Action = std::function<void(ParameterScrollBar*)>;
        const auto key = [](Qt::Key k) -> Action { return [k](ParameterScrollBar* b) { QTest::keyClick(b, k); }; };
        const auto click = [](QStyle::SubControl part) -> Action {
            return [part](ParameterScrollBar* b) { QTest::mouseClick(b, Qt::LeftButton, {}, CentreOf(b, part)); };
        };
        const struct {
            const char* bar;
            Action action;
            int position;
            const char* label;
            const char* text;
            double CalcParams::*value;
        } steps[] = {
            {"VScroll1", click(QStyle::SC_ScrollBarAddLine), 1, "Label4", "0.10", &CalcParams::radius},  // lower arrow
            {"VScroll1", click(QStyle::SC_ScrollBarSubLine), 2, "Label4", "0.20", &CalcParams::radius},  // upper arrow
            {"VScroll1", key(Qt::Key_Up), 3, "Label4", "0.30", &CalcParams::radius},
            {"VScroll1", key(Qt::Key_Down), 2, "Label4", "0.20", &CalcParams::radius},
            {"VScroll1", key(Qt::Key_PageUp), 52, "Label4", "5.20", &CalcParams::radius},
            {"VScroll1", key(Qt::Key_PageDown), 2, "Label4", "0.20", &CalcParams::radius},
            {"VScroll1", key(Qt::Key_PageDown), 0, "Label4", "0.00", &CalcParams::radius},  // stops at the bottom
            {"VScroll1", [](ParameterScrollBar* b) { b->setPosition(100); }, 100, "Label4", "10.00", &CalcParams::radius},
            {"VScroll3", click(QStyle::SC_ScrollBarSubPage), 30, "Label6", "3.00", &CalcParams::halfRange},  // track
            {"VScroll2", click(QStyle::SC_ScrollBarSubPage), 60, "Label5", "6.00", &CalcParams::length},
        };
        for (const auto& s : steps) {
            bar(s.bar)->setFocus();
            s.action(bar(s.bar));
            QCOMPARE(bar(s.bar)->position(), s.position);
            QCOMPARE(label(s.label)->text(), QString::fromLatin1(s.text));
            QCOMPARE(form->params().*s.value, ValueOfScrollPosition(s.position));
        }
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
        const std::pair<const char*, double> cases[] = {
            {"7", 7},   {"", 0},   {"12abc", 12}, {" 1 2", 12}, {"3.5", 3.5},  {"3,5", 3},
            {"-4", -4}, {"1E1", 10}, {"&H0A", 10}, {"&h0a", 10}, {"&O17", 15}, {"abc", 0},
            {"1E400", std::numeric_limits<double>::infinity()},
        };
        for (const auto& [text, count] : cases) {
            lineCountBox()->setText(QString::fromUtf8(text));
            QCOMPARE(form->params().lineCount, count);
        }
        lineCountBox()->clear();
        lineCountBox()->show();
        lineCountBox()->setFocus();
        QTest::keyClicks(lineCountBox(), QStringLiteral("25"));
        QCOMPARE(form->params().lineCount, 25.0);
        QTest::keyClick(lineCountBox(), Qt::Key_Backspace);  // every keystroke counts
        QCOMPARE(form->params().lineCount, 2.0);
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

    void calculateDrawsThePictureTimesTheRunAndKeepsItOverResizing()
    {
        QVERIFY(!pressCalculate().shown);
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
        const QImage lines = picture()->image();
        QVERIFY(lines != first);
        const QString caption = form->windowTitle();
        QVERIFY(kRunCaption.match(caption).hasMatch());

        resizeClientArea(800, 500);
        QCOMPARE(picture()->image(), lines);
        QCOMPARE(form->windowTitle(), caption);
        QVERIFY(IsAllWhite(picture()->grab().toImage(), QRect(660, 10, 100, 80)));  // beyond the old drawing
        pressCalculate();
        QCOMPARE(picture()->image().size(), QSize(792, 414));
    }

    void refusedRunsChangeNothing()
    {
        pressCalculate();
        const QImage drawn = picture()->image();
        const QString caption = form->windowTitle();
        const std::pair<std::function<void()>, QString> cases[] = {
            {[this] { bar("VScroll3")->setPosition(0); }, QStringLiteral("Размер области должен быть больше нуля.")},
            {[this] {
                 bar("VScroll3")->setPosition(20);
                 list()->setCurrentRow(1);
                 lineCountBox()->setText(QStringLiteral("1E400"));  // beyond a double: an infinite line count
             },
             QStringLiteral("Число линий должно быть не больше 200.")},
            {[this] {
                 lineCountBox()->setText(QStringLiteral("7"));
                 resizeClientArea(300, 86);  // the picture has no size at all
             },
             QStringLiteral("Окно слишком мало для рисунка.")},
        };
        for (const auto& [change, reason] : cases) {
            change();
            const SeenMessageBox box = pressCalculate();
            QVERIFY(box.shown);
            QCOMPARE(box.title, QStringLiteral("Зорекс"));
            QCOMPARE(box.text, reason);
            QCOMPARE(picture()->image(), drawn);
            QCOMPARE(form->windowTitle(), caption);
        }
        QCOMPARE(picture()->size(), QSize(292, 0));
    }

    void menuTreeHasTheItemsInOrder()
    {
        const QList<QAction*> menus = form->menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Файл"));
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("mnuFile"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Помощь"));
        QCOMPARE(menus[1]->menu()->objectName(), QStringLiteral("mnuHelp"));
        const auto itemsOf = [](QMenu* menu) {
            QStringList items;
            for (QAction* a : menu->actions()) {
                items << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (!a->shortcut().isEmpty() || a->isCheckable() || !a->isEnabled() || !a->isVisible())
                    items << QStringLiteral("unexpected state of ") + a->objectName();
            }
            return items;
        };
        QCOMPARE(itemsOf(menus[0]->menu()), (QStringList{"mnuFileSprav=&Справка", "mnuFileSep=-", "mnuFileExit=&Выход"}));
        QCOMPARE(itemsOf(menus[1]->menu()),
                 (QStringList{"mnuHelpUprav=&Управление", "mnuHelpInstruction=&Инструкция", "mnuHelpSep1=-",
                              "mnuHelpAvtors=&Автор", "mnuHelpAbout=&О программе"}));
    }

    // The documents open by their names, the instruction in an editor each
    // time, with the desktop replaced by a double; the two boxes show their lines.
    void helpCommandsOpenTheDocumentsAndTheBoxes()
    {
        for (const char* item : {"mnuFileSprav", "mnuHelpUprav", "mnuHelpInstruction", "mnuHelpInstruction"})
            QVERIFY(!choose(item).shown);
        QCOMPARE(desktop.openedDocuments, (QStringList{"spravka.pdf", "uprav.pdf"}));
        QCOMPARE(desktop.editedFiles, (QStringList{"instruction.txt", "instruction.txt"}));

        desktop.editorStarts = false;
        SeenMessageBox box = choose("mnuHelpInstruction");
        QVERIFY(box.shown);
        QCOMPARE(box.title, QStringLiteral("Зорекс"));
        QVERIFY(box.text.contains(QStringLiteral("instruction.txt")));

        const std::pair<const char*, QString> boxes[] = {
            {"mnuHelpAbout", QStringLiteral("О ПРОГРАММЕ")},
            {"mnuHelpAvtors", QStringLiteral("ОБ АВТОРАХ")},
        };
        for (const auto& [item, title] : boxes) {
            box = choose(item);
            QVERIFY(box.shown);
            QCOMPARE(box.title, title);
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(box.text, WithLineFeeds(QString::fromStdString(AuthorsText())));
        QCOMPARE(choose("mnuHelpAbout").text, WithLineFeeds(QString::fromStdString(AboutText())));
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Зорекс"));
    }

    // The close box (and the system menu, which closes alike) and "Выход" ask
    // first; No keeps the window and its drawing, Yes closes it.
    void closingAsksFirstNoKeepsEverythingYesCloses()
    {
        pressCalculate();
        const QImage drawn = picture()->image();
        const QString caption = form->windowTitle();
        const std::function<void()> requests[] = {[this] { form->close(); },
                                                  [this] { control<QAction>("mnuFileExit")->trigger(); }};
        for (const auto& request : requests) {
            const SeenMessageBox question = AnswerMessageBox(QMessageBox::No, request);
            QVERIFY(question.shown);
            QCOMPARE(question.title, QStringLiteral("На Выход"));
            QCOMPARE(question.text, QStringLiteral("Вы абсолютно уверены?"));
            QCOMPARE(question.icon, QMessageBox::NoIcon);
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(question.defaultButton, QMessageBox::Yes);
            QVERIFY(form->isVisible());
            QCOMPARE(picture()->image(), drawn);
            QCOMPARE(form->windowTitle(), caption);
        }
        QVERIFY(AnswerMessageBox(QMessageBox::Yes, requests[1]).shown);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
