// Live redraw: the calculation runs on its own thread, the newest values win,
// refusals and progress show over the picture, Esc and "расчет" end a live run.
#include <QtTest>
#include <QtWidgets>

#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/system_desktop_actions.h"  // never used: no help command is chosen
#include "qt_warning_trap.h"

class LiveRedrawTest : public QObject {
    Q_OBJECT

    SystemDesktopActions desktop;
    std::unique_ptr<Form1> form;

    template <typename T = QAction>
    T* control(const char* name) { return form->findChild<T*>(QString::fromLatin1(name)); }
    ParameterScrollBar* bar(const char* name) { return control<ParameterScrollBar>(name); }
    QImage picture() { return control<PictureBox>("Picture1")->image(); }
    QLabel* status() { return control<QLabel>("liveStatusLabel"); }
    void run() { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); }

    // Live redraw on, then the field lines of the given coil: a live run starts.
    void goLive(int radius, int length, int region, const char* lines)
    {
        control("liveAction")->trigger();
        control<QListWidget>("List1")->setCurrentRow(1);
        control<QLineEdit>("Text1")->setText(QString::fromLatin1(lines));
        bar("VScroll1")->setPosition(radius);
        bar("VScroll2")->setPosition(length);
        bar("VScroll3")->setPosition(region);
    }

private slots:
    void initTestCase() { InstallQtWarningTrap(); }
    void init()
    {
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        form.reset();  // a run still going ends with the window
        QCOMPARE(TakeQtWarnings(), QStringList());
    }

    // Twelve quick steps of a bar: the picture ends as "расчет" draws the final values, after
    // at most the run that was going and one more.
    void burstEndsOnThePictureOfTheFinalValues()
    {
        QSignalSpy shown(form.get(), &Form1::pictureShown);
        goLive(2, 10, 20, "60");
        QVERIFY(shown.wait(20000));
        shown.clear();
        for (int step = 0; step < 12; ++step) {
            QTest::keyClick(bar("VScroll3"), Qt::Key_Down);
            QCoreApplication::processEvents();
        }
        QVERIFY(shown.wait(20000));
        QTest::qWait(300);  // nothing outdated comes after it
        QVERIFY2(shown.count() <= 2, qPrintable(QString::number(shown.count())));
        QCOMPARE(bar("VScroll3")->position(), 8);
        const QImage live = picture();
        const QString caption = form->windowTitle();
        run();
        QCOMPARE(picture(), live);
        QVERIFY(caption.startsWith(QStringLiteral("Зорекс   время расчета ")));
    }

    // A long live run leaves the event loop free: timers fire while it goes, its progress shows, and Esc
    // cancels it, leaving the picture as it was.
    void longRunAnswersShowsProgressAndEscCancels()
    {
        control<QListWidget>("List1")->setCurrentRow(1);
        run();
        const QImage before = picture();
        QSignalSpy shown(form.get(), &Form1::pictureShown);
        goLive(1, 1, 100, "200");  // the short coil over 10 m: seconds a run
        QTRY_VERIFY_WITH_TIMEOUT(status()->isVisible(), 5000);
        QVERIFY(status()->text().contains(QStringLiteral("из 200")));
        QCOMPARE(shown.count(), 0);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(!status()->isVisible());
        QTest::qWait(500);
        QCOMPARE(shown.count(), 0);
        QCOMPARE(picture(), before);
    }

    // In live mode a refused value shows its sentence over the picture, with no box; the next valid run
    // clears it. "расчет" during a live run abandons it and draws at once, as without live redraw.
    void refusalWithoutBoxAndRunDuringALiveRun()
    {
        goLive(2, 10, 20, "7");
        QSignalSpy shown(form.get(), &Form1::pictureShown);
        bar("VScroll2")->setPosition(0);
        QVERIFY(status()->isVisible());
        QCOMPARE(status()->text(), QStringLiteral("Для линий напряженности длина соленоида должна быть больше нуля."));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        bar("VScroll2")->setPosition(10);
        QVERIFY(shown.wait(20000));
        QVERIFY(!status()->isVisible());

        bar("VScroll1")->setPosition(1);
        bar("VScroll3")->setPosition(100);
        control<QLineEdit>("Text1")->setText(QStringLiteral("200"));
        control<QLineEdit>("Text1")->editingFinished();
        shown.clear();
        control<QLineEdit>("Text1")->setText(QStringLiteral("7"));
        run();
        QCOMPARE(shown.count(), 1);  // drawn before the button returns
        const QImage drawn = picture();
        QTest::qWait(500);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(picture(), drawn);
    }
};

QTEST_MAIN(LiveRedrawTest)
#include "live_redraw_test.moc"
