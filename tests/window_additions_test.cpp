// The window's additions: the values under the cursor, the menu "Вид" and saving the picture.
#include <QtTest>
#include <QtWidgets>

#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "app/system_desktop_actions.h"  // never used: no help command is chosen
#include "measure/axis_comparison.h"
#include "measure/measurement_reading.h"
#include "export/render_options.h"
#include "field/axial_field.h"
#include "field/exact_field.h"
#include "field/field_slope.h"
#include "render/picture_contents.h"
#include "qt_warning_trap.h"

namespace {

using Handler = std::function<void(QWidget*)>;

// Runs the action and hands the modal windows it opens, in turn, to the handlers.
void HandleModals(const std::vector<Handler>& handlers, const std::function<void()>& action)
{
    std::size_t next = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && next < handlers.size() && modal->property("handled").isNull()) {
            modal->setProperty("handled", true);
            handlers[next++](modal);
        }
    });
    poll.start();
    action();
    QCOMPARE(next, handlers.size());
}

// Chooses the file in a file dialog as if typed into its name box: selectFile
// alone leaves the box as it is while the box has the focus.
void ChooseFile(QFileDialog* dialog, const QString& path)
{
    dialog->selectFile(path);
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(QDir(dialog->directory().absolutePath()).relativeFilePath(path));
}

// Chooses the file in the save dialog as its button "Save" does.
Handler SaveAs(const QString& path, const QString& filter)
{
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->selectNameFilter(filter);
        ChooseFile(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
    };
}

// Chooses the file in the open dialog.
Handler Open(const QString& path)
{
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        ChooseFile(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
    };
}

// Types name=text into the dialog's boxes, ticks the boxes named alone, and takes the dialog.
Handler Fill(const QStringList& typed)
{
    return [=](QWidget* dialog) {
        for (const QString& field : typed) {
            if (auto* check = dialog->findChild<QCheckBox*>(field))
                check->setChecked(true);
            else
                dialog->findChild<QLineEdit*>(field.section('=', 0, 0))->setText(field.section('=', 1));
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}

// Reads the message box's text into `seen` and closes it.
Handler ReadBox(QString& seen)
{
    return [&seen](QWidget* box) { seen = static_cast<QMessageBox*>(box)->text(), box->close(); };
}

// Chooses the file in the open dialog, then the units in the units dialog.
std::vector<Handler> OpenWithUnits(const QString& path, int lengthUnit, int fluxUnit)
{
    return {Open(path),
            [=](QWidget* modal) {
                for (const auto& [name, unit] : {std::pair{"lengthUnitBox", lengthUnit}, {"fluxUnitBox", fluxUnit}}) {
                    auto* box = modal->findChild<QComboBox*>(QString::fromLatin1(name));
                    box->setCurrentIndex(box->findData(unit));
                }
                QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
            }};
}

RunAdditions ExactLinesOnly()
{
    RunAdditions a;
    a.exact = ExactLines::ThroughSeeds;
    return a;
}

// A PNG's pixels as the window shows them at the picture's pixel ratio.
QImage ShownPng(const QByteArray& png, double ratio)
{
    QImage image = QImage::fromData(png).convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

QString Number(double value, char format, int precision) { return QLocale().toString(value, format, precision); }

}  // namespace

class WindowAdditionsTest : public QObject {
    Q_OBJECT

    SystemDesktopActions desktop;
    std::unique_ptr<Form1> form;
    QStringList warnings;  // less the offscreen platform's notice that it cannot raise a tool tip
    QTemporaryDir settings;

    template <typename T = QAction>
    T* control(const char* name) { return form->findChild<T*>(QString::fromLatin1(name)); }
    PictureBox* picture() { return control<PictureBox>("Picture1"); }
    void startForm()
    {
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // What the window shows of its lesson: controls, menu «Вид», the measurements' line, the picture's words.
    QStringList shownState()
    {
        QStringList state{control<QLineEdit>("Text1")->text(), QString::number(control<QListWidget>("List1")->currentRow()),
                          picture()->accessibleDescription(), form->findChild<QStatusBar*>() ? control<QLabel>("measurementLabel")->text() : ""};
        for (const char* name : {"VScroll1", "VScroll2", "VScroll3"})
            state << QString::number(control<ParameterScrollBar>(name)->position());
        for (const char* name : {"Label4", "Label5", "Label6"})
            state << control<QLabel>(name)->text();
        for (QAction* action : control<QMenu>("viewMenu")->actions())
            state << QStringLiteral("%1 %2 %3").arg(action->objectName()).arg(action->isChecked()).arg(action->isEnabled());
        return state;
    }
    void selectGraph(int row) { control<QListWidget>("List1")->setCurrentRow(row); }
    void run() { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); }

    // The tool tip of resting the mouse at a position from the picture's inner corner.
    QString toolTipAt(QPoint inside)
    {
        const QPoint local = inside + picture()->contentsRect().topLeft();
        QHelpEvent event(QEvent::ToolTip, local, picture()->mapToGlobal(local));
        QApplication::sendEvent(picture(), &event);
        warnings << TakeQtWarnings();
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

private slots:
    void initTestCase()
    {
        InstallQtWarningTrap();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());  // the recent files
    }
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian));  // a comma for the decimal separator
        startForm();
    }

    void cleanup()
    {
        QToolTip::hideText();
        form.reset();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(warnings + TakeQtWarnings(), QStringList());
        warnings.clear();
    }

    void toolTipReadsTheLastRun_data()
    {
        QTest::addColumn<int>("graph");
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("r");  // for the axis graph: the vertical value
        QTest::newRow("axis graph") << 0 << 0.37 << 1.0;
        QTest::newRow("field lines above the axis") << 1 << 0.61 << 0.33;
        QTest::newRow("field lines below the axis, the mirror point") << 1 << -0.43 << -0.27;
        QTest::newRow("field lines on the winding") << 1 << 0.1 << 0.2;
    }

    // The values at a point are those of the run, though the controls changed since.
    void toolTipReadsTheLastRun()
    {
        QFETCH(int, graph);
        QFETCH(double, z);
        QFETCH(double, r);

        QCOMPARE(toolTipAt(QPoint(100, 100)), QString());  // nothing before the first run
        selectGraph(graph);
        run();
        const CalcParams p = form->params();
        QCOMPARE(p.scaleX, picture()->width() / (p.zMax - p.zMin));  // per logical pixel, whatever the screen's ratio
        QTest::keyClick(control<ParameterScrollBar>("VScroll1"), Qt::Key_PageUp);
        QVERIFY(form->params().radius != p.radius);

        const double row = graph == 0 ? p.scaleY * (p.yMax - r) : p.scaleY * p.yMax - p.scaleX * r;
        const QPoint at(qRound(p.scaleX * (z - p.zMin)), qRound(row));
        const QString tip = toolTipAt(at);
        const double zAt = p.zMin + at.x() / p.scaleX;
        const double rAt = (p.scaleY * p.yMax - at.y()) / p.scaleX;
        QVERIFY2(!tip.contains(QStringLiteral("nan")) && !tip.contains(QStringLiteral("inf")), qPrintable(tip));
        QString expected;
        if (graph == 0) {
            expected = QStringLiteral("z = %1 м\nHz(z) на оси = %2 ").arg(Number(zAt, 'f', 3), Number(AxialField(p, zAt), 'g', 4));
        } else if (r == p.radius) {
            expected = QStringLiteral("на обмотке: Hz — среднее по обе стороны, Hz = %1")
                           .arg(Number(ExactField(p, zAt, p.radius).hz, 'g', 4));
        } else {
            const ExactFieldValue h = ExactField(p, zAt, rAt);  // its own mirror convention below the axis
            const double slope = (rAt < 0 ? -1 : 1) * FieldSlope(p, zAt, std::abs(rAt));
            expected = QStringLiteral("z = %1 м, r = %2 м\nHz = %3, Hr = %4, |H| = %5 (в единицах n·I/2)\n"
                                      "наклон dr/dz: %6 по 500 точкам, %7 точно")
                           .arg(Number(zAt, 'f', 3), Number(rAt, 'f', 3), Number(h.hz, 'g', 4), Number(h.hr, 'g', 4),
                                Number(FieldStrength(h), 'g', 4), Number(slope, 'g', 4), Number(h.hr / h.hz, 'g', 4));
        }
        QVERIFY2(tip.contains(expected), qPrintable(tip + QStringLiteral("\n--- expected:\n") + expected));
    }

    // The additions wait for the next run and belong to the field-line graph;
    // "Сразу пересчитывать" runs at every change as "расчет" does.
    void viewCommandsTakeEffectAtTheNextRunOrAtOnce()
    {
        QAction* const additions[] = {control("exactLinesAction"), control("fieldMapAction"), control("equalFluxAction"),
                                      control("arrowsAction")};
        for (QAction* addition : additions)
            QVERIFY(!addition->isEnabled() && !addition->isChecked());
        selectGraph(1);
        run();
        const QImage plain = picture()->image();
        const QString caption = form->windowTitle();
        additions[1]->trigger();
        QCOMPARE(picture()->image(), plain);
        QCOMPARE(form->windowTitle(), caption);
        control("liveAction")->trigger();
        QCOMPARE(picture()->image(), plain);
        form->setWindowTitle(QString());
        QSignalSpy shown(form.get(), &Form1::pictureShown);  // a live run ends on its own thread
        QTest::keyClick(control<ParameterScrollBar>("VScroll1"), Qt::Key_Up);
        QVERIFY(shown.wait());
        QVERIFY(QRegularExpression(QStringLiteral("^Зорекс   время расчета [0-9]+ c$")).match(form->windowTitle()).hasMatch());
        const QImage live = picture()->image();
        QVERIFY(live != plain);
        QImage before = live;
        for (QAction* addition : {additions[0], additions[2], additions[3]}) {  // each changes the picture at once
            addition->trigger();
            QVERIFY(shown.wait());
            QVERIFY(picture()->image() != before);
            before = picture()->image();
        }
        selectGraph(0);  // kept, but not for the axis graph; the equal flux has taken the exact lines' place
        for (QAction* addition : additions)
            QVERIFY(!addition->isEnabled() && addition->isChecked() == (addition != additions[0]));
    }

    void turnsAndCurrentGiveTeslaUnderTheCursor_data()
    {
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("problem");  // the first words of the refusal; empty: taken
        QTest::addColumn<QString>("again");    // the current as the dialog shows it next time, in a Russian locale
        QTest::newRow("no turns") << "0" << "1.5" << "Число витков" << "1,5";
        QTest::newRow("turns not whole") << "80.5" << "1.5" << "Число витков" << "1,5";
        QTest::newRow("no current") << "800" << "0" << "Ток" << "1,5";
        QTest::newRow("current too strong") << "800" << "-1000.5" << "Ток" << "1,5";
        QTest::newRow("current with a comma") << "800" << "1,5" << "" << "1,5";
        QTest::newRow("current with a point, shown with a comma") << "800" << "1.5" << "" << "1,5";
        QTest::newRow("both empty: the unit n·I/2") << "" << "" << "" << "";
    }

    // The dialog says why it refuses and stays open; what it takes shows at the next run.
    void turnsAndCurrentGiveTeslaUnderTheCursor()
    {
        QFETCH(QString, turns);
        QFETCH(QString, current);
        QFETCH(QString, problem);
        QFETCH(QString, again);
        QString seen;
        const auto enter = [](QWidget* dialog, const QString& n, const QString& i) {
            dialog->findChild<QLineEdit*>(QStringLiteral("turnsEdit"))->setText(n);
            dialog->findChild<QLineEdit*>(QStringLiteral("currentEdit"))->setText(i);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);  // as OK, once this handler is done
        };
        const Handler fill = [&](QWidget* dialog) { enter(dialog, turns, current); };
        const Handler readBox = [&](QWidget* box) {  // then the values that are taken
            seen = static_cast<QMessageBox*>(box)->text();
            box->close();
            enter(box->parentWidget(), QStringLiteral("800"), QStringLiteral("1.5"));
        };
        HandleModals(problem.isEmpty() ? std::vector{fill} : std::vector{fill, readBox},
                     [this] { control("coilCurrentAction")->trigger(); });
        QVERIFY2(problem.isEmpty() ? seen.isEmpty() : seen.startsWith(problem), qPrintable(seen));
        selectGraph(1);
        run();
        const CalcParams p = form->params();
        const QPoint at(qRound(p.scaleX * (0.61 - p.zMin)), qRound(p.scaleY * p.yMax - p.scaleX * 0.33));
        const double zAt = p.zMin + at.x() / p.scaleX, rAt = (p.scaleY * p.yMax - at.y()) / p.scaleX;
        const double tesla = 4e-7 * M_PI * 800 / p.length * 1.5 / 2 * FieldStrength(ExactField(p, zAt, rAt));
        const QString tip = toolTipAt(at);
        QVERIFY2(tip.contains(QStringLiteral("|B| = %1 мТл").arg(Number(1000 * tesla, 'g', 4))) == !turns.isEmpty(),
                 qPrintable(tip));
        QString shownAgain;
        HandleModals({[&](QWidget* dialog) {
                         shownAgain = dialog->findChild<QLineEdit*>(QStringLiteral("currentEdit"))->text();
                         QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                     }},
                     [this] { control("coilCurrentAction")->trigger(); });
        QCOMPARE(shownAgain, again);
    }

    void openingMeasurementsWithoutTurnsAndCurrent_data()
    {
        QTest::addColumn<bool>("cancelled");  // else OK with both boxes empty
        QTest::addColumn<QString>("problem");  // the first words of the box shown; empty: none
        QTest::newRow("turns and current cancelled: opening abandoned") << true << "";
        QTest::newRow("turns and current left empty: why not") << false << "Измерения сравниваются";
    }

    // Turns and current are asked for first; without them no file is asked for and nothing changes.
    void openingMeasurementsWithoutTurnsAndCurrent()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, problem);
        QString seen;
        QTimer boxes;  // any message box that shows, read and closed
        boxes.setInterval(5);
        connect(&boxes, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = box->text();
                box->close();
            }
        });
        boxes.start();
        HandleModals({[&](QWidget* dialog) {
                         QMetaObject::invokeMethod(dialog, cancelled ? "reject" : "accept", Qt::QueuedConnection);
                     }},
                     [this] { control("openMeasurementsAction")->trigger(); });
        QVERIFY2(problem.isEmpty() ? seen.isEmpty() : seen.startsWith(problem), qPrintable(seen));
        QVERIFY(form->findChild<QStatusBar*>() == nullptr && control("openMeasurementsAction")->isEnabled());
    }

    void coilSizeDialogTakesTypedMetres_data()
    {
        QTest::addColumn<QStringList>("typed");  // R, L, a
        QTest::addColumn<QString>("problem");    // the first words of the refusal; empty: taken
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("runRefusal");  // as the scroll bars' values are refused
        const QList<double> start{0.2, 1, 2};
        const QStringList startLabels{"0,20", "1,00", "2,00"};
        QTest::newRow("a lab coil") << QStringList{"0.021", "0,16", " 0.2 "} << "" << QList<double>{0.021, 0.16, 0.2}
                                    << QStringList{"0,021", "0,16", "0,20"} << "";
        QTest::newRow("the ends of the range") << QStringList{"0.001", "10", "1e-3"} << "" << QList<double>{0.001, 10, 0.001}
                                               << QStringList{"0,001", "10,00", "0,001"} << "";
        QTest::newRow("a zero region, refused by the run") << QStringList{"0.2", "1", "0"} << "" << QList<double>{0.2, 1, 0}
                                                           << QStringList{"0,20", "1,00", "0,00"} << "Размер области";
        QTest::newRow("not a number") << QStringList{"0.2", "abc", "2"} << "Длина L" << start << startLabels << "";
        QTest::newRow("beyond 10 m") << QStringList{"10.001", "1", "2"} << "Радиус R" << start << startLabels << "";
        QTest::newRow("below 0") << QStringList{"0.2", "1", "-0.001"} << "Полуразмер" << start << startLabels << "";
        QTest::newRow("a lab sheet's radius, finer than a millimetre")
            << QStringList{"0,02524", "1", "2.0000000001"} << "" << QList<double>{0.02524, 1, 2.0000000001}
            << QStringList{"0,02524", "1,00", "2,0000000001"} << "";
        QTest::newRow("not a finite number") << QStringList{"0.2", "inf", "2"} << "Длина L" << start << startLabels << "";
    }

    // OK takes the typed values to the last bit, shows them, and moves the bars to the nearest tenth
    // without taking its value; a refusal names the box and changes nothing; a bar moved later sets its tenth.
    void coilSizeDialogTakesTypedMetres()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, problem);
        QFETCH(QList<double>, values);
        QFETCH(QStringList, labels);
        QFETCH(QString, runRefusal);
        const char* const edits[] = {"radiusEdit", "lengthEdit", "halfRangeEdit"};
        QString seen;
        const Handler fill = [&](QWidget* dialog) {
            for (int i = 0; i < 3; ++i)
                dialog->findChild<QLineEdit*>(QString::fromLatin1(edits[i]))->setText(typed[i]);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        };
        const Handler readBox = [&](QWidget* box) {  // then the dialog is left with Cancel
            seen = static_cast<QMessageBox*>(box)->text();
            box->close();
            QMetaObject::invokeMethod(box->parentWidget(), "reject", Qt::QueuedConnection);
        };
        HandleModals(problem.isEmpty() ? std::vector{fill} : std::vector{fill, readBox},
                     [this] { control("coilSizeAction")->trigger(); });
        QVERIFY2(problem.isEmpty() ? seen.isEmpty() : seen.startsWith(problem), qPrintable(seen));
        const CalcParams& p = form->params();
        QCOMPARE((QList<double>{p.radius, p.length, p.halfRange}), values);
        const char* const bars[] = {"VScroll1", "VScroll2", "VScroll3"};
        const char* const valueLabels[] = {"Label4", "Label5", "Label6"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(control<QLabel>(valueLabels[i])->text(), labels[i]);
            QCOMPARE(control<ParameterScrollBar>(bars[i])->position(), qRound(values[i] * 10));
            QCOMPARE(control<ParameterScrollBar>(bars[i])->accessibleDescription(), labels[i] + QStringLiteral(" м"));
        }
        QString refused;
        HandleModals(runRefusal.isEmpty() ? std::vector<Handler>{} : std::vector<Handler>{[&](QWidget* box) {
                         refused = static_cast<QMessageBox*>(box)->text();
                         box->close();
                     }},
                     [this] { run(); });
        QVERIFY2(runRefusal.isEmpty() ? refused.isEmpty() : refused.startsWith(runRefusal), qPrintable(refused));
        if (runRefusal.isEmpty()) {  // the picture the export tool draws for the values as typed
            RenderOptions expected{StartValues(kAxisGraph), GraphKind::Axis, RunAdditions{}, picture()->width(), picture()->height(),
                                   picture()->devicePixelRatioF(), {}, OutputFormat::Png};
            std::tie(expected.params.radius, expected.params.length, expected.params.halfRange) = std::tuple(values[0], values[1], values[2]);
            QCOMPARE(ShownPng(ExportedContents(expected), expected.pixelRatio), picture()->image());
        }
        QTest::keyClick(control<ParameterScrollBar>("VScroll1"), Qt::Key_Up);
        QCOMPARE(form->params().radius, (qRound(values[0] * 10) + 1) * 0.1);
    }

    // The scales serve both graphs, off at start; the window draws what the export tool draws with them.
    // F11 gives the picture the screen, the controls staying usable; Esc returns.
    void fullScreenForAProjector()
    {
        const QSize before = picture()->size();
        QTest::keyClick(form.get(), Qt::Key_F11);
        QTRY_VERIFY(form->isFullScreen() && control("fullScreenAction")->isChecked());
        QTRY_VERIFY(picture()->width() > before.width() || picture()->height() > before.height());
        QVERIFY(control<QPushButton>("CmdOK")->isVisible());
        run();
        QCOMPARE(picture()->image().size(), picture()->size());
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QTRY_VERIFY(!form->isFullScreen() && !control("fullScreenAction")->isChecked());
        QTRY_COMPARE(picture()->size(), before);
    }

    void scalesOnEitherGraphAsTheToolDrawsThem()
    {
        const double ratio = picture()->devicePixelRatioF();  // the screen's, as --scale: 2 under QT_SCALE_FACTOR=2
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
        QAction* scales = control("scalesAction");
        QVERIFY(scales->isEnabled() && scales->isCheckable() && !scales->isChecked());
        scales->trigger();
        for (int graph : {1, 0}) {
            selectGraph(graph);
            QVERIFY(scales->isEnabled());
            run();
            RenderOptions expected{StartValues(graph == 0 ? kAxisGraph : kFieldLinesGraph), graph == 0 ? GraphKind::Axis : GraphKind::Lines,
                                   RunAdditions{}, picture()->width(), picture()->height(), ratio, {}, OutputFormat::Png};
            expected.additions.scales = true;
            QCOMPARE(ShownPng(ExportedContents(expected), ratio), picture()->image());
            QVERIFY(picture()->accessibleDescription().endsWith(QStringLiteral(", со шкалами")));
        }
    }

    void pairAndUniformRegionDialogs_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");     // typed into the dialog's box; "Гельмгольц": its button pressed
        QTest::addColumn<QString>("problem");  // the first words of the refusal; empty: taken
        QTest::addColumn<QString>("shown");    // then in the picture's description
        const QString pair = QStringLiteral("coilPairAction"), region = QStringLiteral("uniformRegionAction");
        QTest::newRow("pair: D not a number") << pair << "abc" << "Расстояние" << "";
        QTest::newRow("pair: D beyond 20 m") << pair << "20.001" << "Расстояние" << "";
        QTest::newRow("pair: D below 0") << pair << "-0,1" << "Расстояние" << "";
        QTest::newRow("pair: D with a comma") << pair << "0,35" << "" << "пара катушек: D = 0,350 м";
        QTest::newRow("pair: D finer than a millimetre") << pair << "0.2005" << "" << "пара катушек: D = 0,2005 м";
        QTest::newRow("pair: by Helmholtz, D = R") << pair << "Гельмгольц" << "" << "пара катушек: D = 0,200 м";
        QTest::newRow("region: P of 0") << region << "0" << "Допуск" << "";
        QTest::newRow("region: P above 100") << region << "100,5" << "Допуск" << "";
        QTest::newRow("region: 2.5 %") << region << "2.5" << "" << "однородная область 2,5 %";
    }

    // A refusal says why and leaves the dialog open, and cancelled nothing changes; what
    // is taken shows at the next run, and a pair's lines take the place of the exact ones.
    void pairAndUniformRegionDialogs()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QFETCH(QString, shown);
        QString seen;
        const Handler fill = [&](QWidget* dialog) {
            if (text == QStringLiteral("Гельмгольц")) {  // which turns the pair on too
                dialog->findChild<QPushButton*>(QStringLiteral("helmholtzButton"))->click();
            } else {
                for (auto* on : dialog->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("pairCheck|regionCheck"))))
                    on->setChecked(true);
                dialog->findChild<QLineEdit*>()->setText(text);
            }
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);  // as OK, once this handler is done
        };
        const Handler readBox = [&](QWidget* box) {
            seen = static_cast<QMessageBox*>(box)->text();
            box->close();
            QMetaObject::invokeMethod(box->parentWidget(), "reject", Qt::QueuedConnection);  // then Cancel
        };
        selectGraph(1);
        HandleModals(problem.isEmpty() ? std::vector{fill} : std::vector{fill, readBox},
                     [&] { control(command.toLatin1().constData())->trigger(); });
        QVERIFY2(problem.isEmpty() ? seen.isEmpty() : seen.startsWith(problem), qPrintable(seen));
        run();
        const QString description = picture()->accessibleDescription();
        QVERIFY2(problem.isEmpty() ? description.contains(shown)
                                   : !description.contains(QStringLiteral("пара")) && !description.contains(QStringLiteral("однородная")),
                 qPrintable(description));
        const bool pairShown = description.contains(QStringLiteral("пара катушек"));
        QCOMPARE(control("exactLinesAction")->isEnabled(), !pairShown);
        QCOMPARE(control("arrowsAction")->isEnabled(), true);
    }

    void savingWritesTheExportToolsFile_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("format");
        const char* const filters[] = {"Рисунок PNG (*.png)", "Рисунок SVG (*.svg)", "Документ PDF (*.pdf)", "Таблица CSV (*.csv)"};
        for (int format : {int(OutputFormat::Png), int(OutputFormat::Svg), int(OutputFormat::Pdf), int(OutputFormat::Csv)})
            QTest::newRow(filters[format]) << QString::fromUtf8(filters[format]) << format;
    }

    // A name without an extension gets the filter's; the file is what the
    // export tool writes for the run's parameters, additions and size.
    void savingWritesTheExportToolsFile()
    {
        QFETCH(QString, filter);
        QFETCH(int, format);
        QVERIFY(!control("savePictureAction")->isEnabled());
        selectGraph(1);
        control("exactLinesAction")->trigger();
        run();
        QTemporaryDir dir;
        HandleModals({SaveAs(dir.filePath(QStringLiteral("drawing")), filter)},
                     [this] { control("savePictureAction")->trigger(); });
        QFile file(dir.filePath(QStringLiteral("drawing.") + filter.section(QLatin1Char('.'), -1).chopped(1)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray written = file.readAll();
        RenderOptions expected{StartValues(kFieldLinesGraph), GraphKind::Lines, ExactLinesOnly(), picture()->width(),
                               picture()->height(), picture()->devicePixelRatioF(), {}, OutputFormat(format)};
        if (expected.format == OutputFormat::Png)
            QCOMPARE(ShownPng(written, expected.pixelRatio), picture()->image());
        else if (expected.format == OutputFormat::Csv)
            QCOMPARE(written, ExportedContents(expected));
        else
            QVERIFY(written.startsWith(expected.format == OutputFormat::Svg ? "<?xml" : "%PDF"));
    }

    void measuredValuesAreComparedWithTheAxisGraph_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("lengthUnit");
        QTest::addColumn<int>("fluxUnit");
        QTest::addColumn<QString>("problem");  // the box's text after «Измерения не открыты. »; empty: read
        QTest::newRow("centimetres and millitesla, semicolons")
            << QByteArray("z, см;B, мТл\r\n-10;1,2\r\n0;3,1\r\n10;1,3\r\n") << int(LengthUnit::Centimetre)
            << int(FluxDensityUnit::Millitesla) << "";
        QTest::newRow("metres and gauss, tabs") << QByteArray("-0.1\t12\n0\t31\n0.1\t13\n") << int(LengthUnit::Metre)
                                                << int(FluxDensityUnit::Gauss) << "";
        QTest::newRow("text in a number") << QByteArray("z;B\n1;2\n3;xy\n4;5\n") << int(LengthUnit::Centimetre)
                                          << int(FluxDensityUnit::Millitesla) << "Файл «m.csv», строка 3: не число «xy».";
    }

    // Turns and current are asked for first; the file is read without blocking the window; a run compares;
    // a bad file says why and keeps the values open before; without measurements the window is the plain one.
    void measuredValuesAreComparedWithTheAxisGraph()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, lengthUnit);
        QFETCH(int, fluxUnit);
        QFETCH(QString, problem);
        const int plainHeight = picture()->height();
        QVERIFY(form->findChild<QStatusBar*>() == nullptr && !control("fitAction")->isEnabled());
        QTemporaryDir dir;
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write(QStringLiteral("first.csv"), "1;1\n2;2\n3;3\n4;4\n");
        write(QStringLiteral("m.csv"), contents);
        std::vector<Handler> first{Fill({"turnsEdit=320", "currentEdit=1.8"})};
        for (const Handler& h : OpenWithUnits(dir.filePath(QStringLiteral("first.csv")), int(LengthUnit::Centimetre),
                                              int(FluxDensityUnit::Millitesla)))
            first.push_back(h);
        HandleModals(first, [this] { control("openMeasurementsAction")->trigger(); });
        auto* status = control<QLabel>("measurementLabel");
        QVERIFY(status != nullptr);
        QTRY_COMPARE(status->text(), QStringLiteral("Измерения: 4 точки — нажмите «расчет»"));
        QVERIFY(picture()->height() < plainHeight);  // the line under the picture

        QString seen;
        std::vector<Handler> second = OpenWithUnits(dir.filePath(QStringLiteral("m.csv")), lengthUnit, fluxUnit);
        HandleModals(second, [this] { control("openMeasurementsAction")->trigger(); });
        if (!problem.isEmpty()) {
            HandleModals({ReadBox(seen)}, [&] { QTRY_VERIFY(!seen.isEmpty()); });
            QCOMPARE(seen, QStringLiteral("Измерения не открыты. ") + problem);
        }
        QTRY_VERIFY(!status->text().startsWith(QStringLiteral("Чтение")));
        control<QCheckBox>("fitBox")->click();  // the same switch as the menu's
        QVERIFY(control("fitAction")->isChecked());
        run();
        const QString summary = status->text();
        QVERIFY2(summary.startsWith(problem.isEmpty() ? QStringLiteral("Измерения: 3 точки: z0 = ")
                                                      : QStringLiteral("Измерения: 4 точки: z0 = ")),
                 qPrintable(summary));
        // The core's comparison of the file's values in the units chosen, with the coil of the controls.
        const MeasuredUnits units{LengthUnit(lengthUnit), FluxDensityUnit(fluxUnit)};
        const MeasurementReading read = ReadMeasurements(problem.isEmpty() ? contents.toStdString() : "1;1\n2;2\n3;3\n4;4\n", units);
        const AxisComparison expected = CompareMeasurements(form->params(), CoilCurrent{320, 1.8},
                                                            MeasurementSet{read.points, units, "m.csv"}, true);
        QCOMPARE(summary, QStringLiteral("Измерения: ") + QString::fromStdString(RussianText(ComparisonSummary(expected, ','))));
        QTemporaryDir saved;
        HandleModals({SaveAs(saved.filePath(QStringLiteral("t")), QStringLiteral("Таблица CSV (*.csv)"))},
                     [this] { control("savePictureAction")->trigger(); });
        QFile table(saved.filePath(QStringLiteral("t.csv")));
        QVERIFY(table.open(QIODevice::ReadOnly) && table.readLine() == "z,B,B_theory,residual\n");

        control("closeMeasurementsAction")->trigger();
        QVERIFY(!form->findChild<QStatusBar*>()->isVisible() && !control("fitAction")->isEnabled());
        QTRY_COMPARE(picture()->height(), plainHeight);  // the window's own layout once more
    }

    // A file that cannot be written: the reason under the program's title, and nothing changes.
    void aFailedSaveShowsWhy()
    {
        run();
        const QImage drawn = picture()->image();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/drawing.png"));
        QString seen;
        const Handler readBox = [&](QWidget* box) { seen = box->windowTitle() + '|' + static_cast<QMessageBox*>(box)->text(); box->close(); };
        HandleModals({SaveAs(path, QStringLiteral("Рисунок PNG (*.png)")), readBox}, [this] { control("savePictureAction")->trigger(); });
        QVERIFY2(seen.startsWith(QStringLiteral("Зорекс|Папки ")), qPrintable(seen));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(picture()->image(), drawn);
    }

    void aSavedLessonOpensAgainAsItWas_data()
    {
        QTest::addColumn<int>("graph");
        QTest::addColumn<QString>("command");   // a switch of the menu «Вид», or a dialog filled with `typed`
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("dropped");      // opened by dropping the file on the window, else by «Открыть…»
        for (const char* name : {"exactLinesAction", "equalFluxAction", "arrowsAction", "fieldMapAction", "scalesAction"})
            QTest::newRow(name) << 1 << name << QStringList{} << false;
        QTest::newRow("coil size typed") << 1 << "coilSizeAction" << QStringList{"radiusEdit=0.021", "lengthEdit=0.16", "halfRangeEdit=0.2005"} << false;
        QTest::newRow("turns and current") << 1 << "coilCurrentAction" << QStringList{"turnsEdit=320", "currentEdit=1.8"} << false;
        QTest::newRow("opposed pair") << 1 << "coilPairAction" << QStringList{"pairCheck", "opposedCheck", "distanceEdit=0.35"} << false;
        QTest::newRow("uniform region") << 0 << "uniformRegionAction" << QStringList{"regionCheck", "percentEdit=2.5"} << false;
        QTest::newRow("line count and bar, dropped") << 1 << "" << QStringList{"Text1=&H0C", "VScroll1=7"} << true;
        QTest::newRow("measurements, fitted") << 0 << "fitAction" << QStringList{"turnsEdit=320", "currentEdit=1.8"} << false;
    }

    // Every control, the measurements and the picture come back in a new window; measurements not saved are named on closing.
    void aSavedLessonOpensAgainAsItWas()
    {
        QFETCH(int, graph);
        QFETCH(QString, command);
        QFETCH(QStringList, typed);
        QFETCH(bool, dropped);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("урок 9Б.zoreks"));
        selectGraph(graph);
        if (command == QStringLiteral("fitAction")) {
            QFile table(dir.filePath(QStringLiteral("m.csv")));
            QVERIFY(table.open(QIODevice::WriteOnly) && table.write("-10;1,2\n0;3,1\n10;1,3\n") > 0);
            table.close();
            std::vector<Handler> open = OpenWithUnits(table.fileName(), int(LengthUnit::Centimetre), int(FluxDensityUnit::Millitesla));
            open.insert(open.begin(), Fill(typed));
            HandleModals(open, [this] { control("openMeasurementsAction")->trigger(); });
            QTRY_VERIFY(control("fitAction")->isEnabled());
            control("fitAction")->trigger();
        } else if (command.isEmpty()) {
            control<QLineEdit>("Text1")->setText(typed[0].section('=', 1));
            control<ParameterScrollBar>("VScroll1")->setPosition(typed[1].section('=', 1).toInt());
        } else {
            HandleModals(typed.isEmpty() ? std::vector<Handler>{} : std::vector{Fill(typed)},
                         [&] { control(command.toLatin1().constData())->trigger(); });
        }
        run();
        const QStringList shown = shownState();
        const QImage drawn = picture()->image();
        const bool measured = command == QStringLiteral("fitAction");
        QString question;
        const auto askToClose = [&] {
            HandleModals({[&](QWidget* box) { question = static_cast<QMessageBox*>(box)->text(), static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click(); }},
                         [this] { form->close(); });
        };
        askToClose();
        QCOMPARE(question.startsWith(QStringLiteral("Измерения не сохранены")), measured);
        HandleModals({SaveAs(dir.filePath(QStringLiteral("урок 9Б")), QStringLiteral("Опыты Зорекса (*.zoreks)"))},
                     [this] { control("saveLessonAction")->trigger(); });
        QVERIFY2(form->windowTitle().startsWith(QStringLiteral("урок 9Б.zoreks — Зорекс   время расчета")), qPrintable(form->windowTitle()));
        askToClose();
        QCOMPARE(question, QStringLiteral("Вы абсолютно уверены?"));

        form.reset();
        startForm();
        QSignalSpy runs(form.get(), &Form1::pictureShown);
        if (dropped) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(form.get(), &enter);
            QVERIFY(enter.isAccepted());
            QApplication::sendEvent(form.get(), &drop);
            QVERIFY(runs.wait());
        } else {
            HandleModals({Open(path)}, [this] { control("openAction")->trigger(); });
        }
        QCOMPARE(runs.count(), 1);
        QCOMPARE(shownState(), shown);
        QCOMPARE(picture()->image(), drawn);
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("урок 9Б.zoreks — Зорекс   время расчета")));
        QCOMPARE(control<QMenu>("recentFilesMenu")->actions().value(0)->toolTip(), path);
    }

    void aRefusedLessonChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");  // empty: a file saved, then gone, opened from «Недавние»
        QTest::addColumn<QString>("problem");
        QTest::newRow("not JSON") << QByteArray("{\"format\": \"zoreks-lesson\", \"version\": 1,") << "Файл «bad.zoreks» не открыт. Файл опыта поврежден";
        QTest::newRow("newer version") << QByteArray("{\"format\": \"zoreks-lesson\", \"version\": 2}") << "Файл «bad.zoreks» не открыт. Этот опыт сохранен более новой версией";
        QTest::newRow("gone from the recent files") << QByteArray() << "Файла «";
    }

    // The refusal is shown, and the window keeps its controls, picture and caption; the file is not among the recent ones.
    void aRefusedLessonChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.zoreks"));
        selectGraph(1);
        control("arrowsAction")->trigger();
        run();
        QFile file(path);
        if (contents.isEmpty()) {
            HandleModals({SaveAs(path, QStringLiteral("Опыты Зорекса (*.zoreks)"))}, [this] { control("saveLessonAction")->trigger(); });
            QVERIFY(file.remove());
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
            file.close();
        }
        const QStringList shown = shownState();
        const QString caption = form->windowTitle();
        const QImage drawn = picture()->image();
        QString seen;
        QMenu* recent = control<QMenu>("recentFilesMenu");
        if (contents.isEmpty())
            HandleModals({ReadBox(seen)}, [&] { recent->actions().value(0)->trigger(); });
        else
            HandleModals({Open(path), ReadBox(seen)}, [this] { control("openAction")->trigger(); });
        QVERIFY2(seen.startsWith(problem), qPrintable(seen));
        QVERIFY(shownState() == shown && picture()->image() == drawn && form->windowTitle() == caption);
        for (QAction* entry : recent->actions())
            QVERIFY(entry->toolTip() != path);
    }

    // The table of numbers the window saves for a lesson is the one the export tool writes for the lesson file.
    void aLessonsTableIsTheExportTools()
    {
        QTemporaryDir dir;
        selectGraph(1);
        control("equalFluxAction")->trigger();
        control<QLineEdit>("Text1")->setText(QStringLiteral("5"));
        run();
        HandleModals({SaveAs(dir.filePath(QStringLiteral("t")), QStringLiteral("Опыты Зорекса (*.zoreks)"))},
                     [this] { control("saveLessonAction")->trigger(); });
        form->activateWindow();  // the offscreen platform leaves no window active after a dialog
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        HandleModals({SaveAs(dir.filePath(QStringLiteral("window.csv")), QStringLiteral("Таблица CSV (*.csv)"))},
                     [this] { QTest::keySequence(form->windowHandle(), QKeySequence::Save); });
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zoreks-render"),
                   {"--lesson", dir.filePath(QStringLiteral("t.zoreks")), "--size", QStringLiteral("%1x%2").arg(picture()->width()).arg(picture()->height()),
                    "--output", dir.filePath(QStringLiteral("tool.csv"))});
        QVERIFY2(tool.waitForFinished(60000), "zoreks-render is built beside the tests");
        QCOMPARE(tool.exitCode(), 0);
        QFile window(dir.filePath(QStringLiteral("window.csv"))), exported(dir.filePath(QStringLiteral("tool.csv")));
        QVERIFY(window.open(QIODevice::ReadOnly) && exported.open(QIODevice::ReadOnly));
        QCOMPARE(window.readAll(), exported.readAll());
    }
};

QTEST_MAIN(WindowAdditionsTest)
#include "window_additions_test.moc"
