// The window's additions: the values under the cursor, the menu "Вид" and
// saving the picture.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>
#include <memory>
#include <vector>

#include "app/desktop_actions.h"
#include "app/form1.h"
#include "app/parameter_scroll_bar.h"
#include "app/picture_box.h"
#include "field/axial_field.h"
#include "field/exact_field.h"
#include "field/field_slope.h"
#include "tools/render_arguments.h"
#include "tools/render_tool.h"
#include "window_test_support.h"

namespace {

class NoDesktop final : public DesktopActions {
public:
    void openDocument(const QString&) override {}
    bool startTextEditor(const QString&) override { return true; }
};

// Runs the action and hands the modal windows it opens, in turn, to the handlers.
void HandleModals(const std::vector<std::function<void(QWidget*)>>& handlers, const std::function<void()>& action)
{
    std::size_t next = 0;
    QWidget* handled = nullptr;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != handled && next < handlers.size()) {
            handled = modal;
            handlers[next++](modal);
        }
    });
    poll.start();
    action();
    poll.stop();
    QCOMPARE(next, handlers.size());
}

QString Number(double value, char format, int precision)
{
    return QLocale().toString(value, format, precision);
}

}  // namespace

class WindowAdditionsTest : public QObject {
    Q_OBJECT

    NoDesktop desktop;
    std::unique_ptr<Form1> form;
    QStringList warnings;  // caught so far, less the offscreen platform's notice about raising a tool tip

    template <typename T>
    T* control(const char* name)
    {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }
    PictureBox* picture() { return control<PictureBox>("Picture1"); }
    void selectGraph(int row) { control<QListWidget>("List1")->setCurrentRow(row); }
    void run() { QTest::mouseClick(control<QPushButton>("CmdOK"), Qt::LeftButton); }

    // The tool tip that resting the mouse at a position inside the picture's frame shows.
    QString toolTipAt(QPoint inside)
    {
        QToolTip::hideText();
        const QPoint local = inside + picture()->contentsRect().topLeft();
        QHelpEvent event(QEvent::ToolTip, local, picture()->mapToGlobal(local));
        QApplication::sendEvent(picture(), &event);
        for (const QString& warning : TakeQtWarnings())
            if (warning != QStringLiteral("This plugin does not support raise()"))
                warnings << warning;
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

private slots:
    void initTestCase() { InstallQtWarningTrap(); }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian));  // a comma for the decimal separator
        form = std::make_unique<Form1>(desktop);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void cleanup()
    {
        QToolTip::hideText();
        form->hide();
        form.reset();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(warnings + TakeQtWarnings(), QStringList());
        warnings.clear();
    }

    void toolTipReadsTheLastRun_data()
    {
        QTest::addColumn<int>("graph");
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("r");  // for the axis graph: the height of the curve's value
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
        QTest::keyClick(control<ParameterScrollBar>("VScroll1"), Qt::Key_PageUp);
        QVERIFY(form->params().radius != p.radius);

        const bool axis = graph == 0;
        const QPoint at(qRound(p.scaleX * (z - p.zMin)), qRound(axis ? p.scaleY * (p.yMax - r) : p.scaleX * (p.scaleY * p.yMax / p.scaleX - r)));
        const QString tip = toolTipAt(at);
        const double zAt = p.zMin + at.x() / p.scaleX;
        const double rAt = (p.scaleY * p.yMax - at.y()) / p.scaleX;
        QVERIFY2(!tip.contains(QStringLiteral("nan")) && !tip.contains(QStringLiteral("inf")), qPrintable(tip));
        if (axis) {
            QVERIFY2(tip.contains(QStringLiteral("z = %1 м").arg(Number(zAt, 'f', 3))), qPrintable(tip));
            QVERIFY2(tip.contains(QStringLiteral("= %1 ").arg(Number(AxialField(p, zAt), 'g', 4))), qPrintable(tip));
            return;
        }
        if (std::abs(r) == p.radius) {
            QVERIFY2(tip.contains(QStringLiteral("на обмотке: Hz — среднее по обе стороны, Hz = %1")
                                      .arg(Number(ExactField(p, zAt, p.radius).hz, 'g', 4))),
                     qPrintable(tip));
            return;
        }
        const ExactFieldValue h = ExactField(p, zAt, rAt);  // its own mirror convention below the axis
        const double slope = (rAt < 0 ? -1 : 1) * FieldSlope(p, zAt, std::abs(rAt));
        const QString expected = QStringLiteral("z = %1 м, r = %2 м\nHz = %3, Hr = %4, |H| = %5")
                                     .arg(Number(zAt, 'f', 3), Number(rAt, 'f', 3), Number(h.hz, 'g', 4),
                                          Number(h.hr, 'g', 4), Number(FieldStrength(h), 'g', 4));
        QVERIFY2(tip.startsWith(expected), qPrintable(tip + QStringLiteral(" // ") + expected));
        QVERIFY2(tip.contains(QStringLiteral("%1 по 500 точкам, %2 точно")
                                  .arg(Number(slope, 'g', 4), Number(h.hr / h.hz, 'g', 4))),
                 qPrintable(tip));
    }

    // The additions wait for the next run, and belong to the field-line graph only.
    void viewCommandsTakeEffectAtTheNextRun()
    {
        auto* exact = control<QAction>("exactLinesAction");
        auto* map = control<QAction>("fieldMapAction");
        QVERIFY(!exact->isEnabled() && !map->isEnabled() && !exact->isChecked() && !map->isChecked());
        selectGraph(1);
        QVERIFY(exact->isEnabled() && map->isEnabled());
        run();
        const QImage plain = picture()->image();
        const QString caption = form->windowTitle();
        exact->trigger();
        map->trigger();
        QCOMPARE(picture()->image(), plain);
        QCOMPARE(form->windowTitle(), caption);
        run();
        QVERIFY(picture()->image() != plain);
        selectGraph(0);
        QVERIFY(!exact->isEnabled() && !map->isEnabled());
    }

    // "Сразу пересчитывать": a step of a scroll bar runs the calculation as "расчет" does.
    void liveModeRunsAtEveryChange()
    {
        selectGraph(1);
        control<QAction>("liveAction")->trigger();
        QCOMPARE(form->windowTitle(), QStringLiteral("Зорекс"));  // switching it on changes nothing
        QVERIFY(picture()->image().isNull());
        QTest::keyClick(control<ParameterScrollBar>("VScroll1"), Qt::Key_Up);
        QVERIFY(QRegularExpression(QStringLiteral("^Зорекс   время расчета [0-9]+ c$")).match(form->windowTitle()).hasMatch());
        const QImage first = picture()->image();
        QVERIFY(!first.isNull());
        control<QAction>("fieldMapAction")->trigger();
        QVERIFY(picture()->image() != first);
    }

    void savingWritesTheExportToolsFile_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("format");
        QTest::newRow("png") << QStringLiteral("Рисунок PNG (*.png)") << int(OutputFormat::Png);
        QTest::newRow("svg") << QStringLiteral("Рисунок SVG (*.svg)") << int(OutputFormat::Svg);
        QTest::newRow("pdf") << QStringLiteral("Документ PDF (*.pdf)") << int(OutputFormat::Pdf);
        QTest::newRow("csv") << QStringLiteral("Таблица CSV (*.csv)") << int(OutputFormat::Csv);
    }

    // A name without an extension gets the filter's; the file is what the
    // export tool writes for the run's parameters, additions and size.
    void savingWritesTheExportToolsFile()
    {
        QFETCH(QString, filter);
        QFETCH(int, format);
        QVERIFY(!control<QAction>("savePictureAction")->isEnabled());
        selectGraph(1);
        control<QAction>("exactLinesAction")->trigger();
        run();
        QTemporaryDir dir;
        const QString extension = filter.section(QLatin1Char('.'), -1).chopped(1);
        HandleModals({[&](QWidget* modal) {
                         auto* dialog = qobject_cast<QFileDialog*>(modal);
                         QVERIFY(dialog != nullptr);
                         dialog->selectNameFilter(filter);
                         dialog->selectFile(dir.filePath(QStringLiteral("drawing")));
                         static_cast<QDialog*>(dialog)->accept();  // as the button "Save" does
                     }},
                     [this] { control<QAction>("savePictureAction")->trigger(); });
        QFile file(dir.filePath(QStringLiteral("drawing.") + extension));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray written = file.readAll();

        RenderOptions expected;
        expected.params = StartValues(kFieldLinesGraph);
        expected.graph = GraphKind::Lines;
        expected.additions.exactLines = true;
        expected.width = picture()->width();
        expected.height = picture()->height();
        expected.format = OutputFormat(format);
        switch (expected.format) {
        case OutputFormat::Png:
            QCOMPARE(QImage::fromData(written).convertToFormat(QImage::Format_RGB32), picture()->image());
            break;
        case OutputFormat::Svg:
            QVERIFY(written.startsWith("<?xml") && written.contains("<svg"));
            break;
        case OutputFormat::Pdf:
            QVERIFY(written.startsWith("%PDF"));
            break;
        case OutputFormat::Csv:
            QCOMPARE(written, ExportedContents(expected));
            break;
        }
    }

    // A file that cannot be written: the reason under the program's title, nothing else changes.
    void aFailedSaveShowsWhy()
    {
        run();
        const QImage drawn = picture()->image();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/drawing.png"));
        QString title;
        QString text;
        HandleModals({[&](QWidget* modal) {
                          auto* dialog = qobject_cast<QFileDialog*>(modal);
                          QVERIFY(dialog != nullptr);
                          dialog->selectFile(path);
                          static_cast<QDialog*>(dialog)->accept();  // as the button "Save" does
                      },
                      [&](QWidget* modal) {
                          auto* box = qobject_cast<QMessageBox*>(modal);
                          QVERIFY(box != nullptr);
                          title = box->windowTitle();
                          text = box->text();
                          box->accept();
                      }},
                     [this] { control<QAction>("savePictureAction")->trigger(); });
        QCOMPARE(title, QStringLiteral("Зорекс"));
        QVERIFY2(text.startsWith(QStringLiteral("Папки ")), qPrintable(text));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(picture()->image(), drawn);
    }
};

QTEST_MAIN(WindowAdditionsTest)
#include "window_additions_test.moc"
