// The window's parts that need no window: the layout, the placement on the
// screen, the texts of the help boxes, and Qt's Russian dialog texts.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTest>

#include <string>
#include <vector>

#include "app/control_layout.h"
#include "app/info_texts.h"
#include "app/message_boxes.h"
#include "app/qt_translation.h"
#include "app/window_placement.h"
#include "window_test_support.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::size_t LeadingBlanks(const std::string& line) { return line.find_first_not_of(' '); }

}  // namespace

class WindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallQtWarningTrap(); }
    void cleanup() { QCOMPARE(TakeQtWarnings(), QStringList()); }

    // At the start size; wider, only the picture's right edge and the button
    // move; taller, the band moves down by as much without changing size.
    void layoutAtTheStartSizeAndAfterWideningAndHeightening()
    {
        const ControlLayout start{
            {4, 4, 651, 320},       {560.15f, 328, 65, 22},     {4, 328, 195, 44},         {4, 376, 130, 22},
            {134, 376, 65, 22},     {219, 328, 65, 22},         {219, 350, 65, 22},        {284, 328, 16.25f, 44},
            {320.25f, 328, 65, 22}, {320.25f, 350, 65, 22},     {385.25f, 328, 16.25f, 44}, {421.5f, 328, 65, 22},
            {421.5f, 350, 65, 22},  {486.5f, 328, 16.25f, 44},
        };
        QVERIFY(ArrangeControls(659, 406) == start);

        ControlLayout wide = start;
        wide.picture1.width = 992;
        wide.cmdOK.left = 850;
        QVERIFY(ArrangeControls(1000, 406) == wide);

        ControlLayout high = start;
        high.picture1.height = 520;
        for (RealRect* r : {&high.cmdOK, &high.list1, &high.label7, &high.text1, &high.label1, &high.label4, &high.vScroll1,
                            &high.label2, &high.label5, &high.vScroll2, &high.label3, &high.label6, &high.vScroll3})
            r->top += 200;
        QVERIFY(ArrangeControls(659, 606) == high);
        QCOMPARE(high.label6.top + high.label6.height + 34, 606.0f);  // the band keeps its distance to the bottom
    }

    void noLayoutWithoutRoomForThePicture()
    {
        QVERIFY(!ArrangeControls(0, 0).has_value());  // minimized
        QVERIFY(!ArrangeControls(7, 406).has_value());
        QVERIFY(!ArrangeControls(659, 85).has_value());
        QVERIFY(!ArrangeControls(-5, 406).has_value());
        const auto smallest = ArrangeControls(8, 86);
        QVERIFY(smallest.has_value());
        QCOMPARE(smallest->picture1, (RealRect{4, 4, 0, 0}));
        QCOMPARE(smallest->cmdOK.top, 8.0f);
        // Narrow windows let the button cover the parameter groups; nothing is refused.
        const auto narrow = ArrangeControls(300, 406);
        QVERIFY(narrow->cmdOK.left < narrow->vScroll3.left);
    }

    void realsGoToTheNearestPixel()
    {
        const std::pair<float, int> cases[] = {{560.15f, 560}, {16.25f, 16}, {421.5f, 422}, {320.25f, 320}, {-0.5f, -1}, {0, 0}};
        for (const auto& [real, pixel] : cases)
            QCOMPARE(ToPixel(real), pixel);
    }

    void placementLeavesATenthAndAFiftiethOfTheFreeSpace()
    {
        QCOMPARE(PlaceWindow(1024, 768, 659, 425), (WindowOrigin{37, 7}));  // 36.5 and 6.86
        QCOMPARE(PlaceWindow(1920, 1080, 680, 470), (WindowOrigin{124, 12}));
        QCOMPARE(PlaceWindow(659, 425, 659, 425), (WindowOrigin{0, 0}));
        // A screen smaller than the window: the window starts off the screen.
        QCOMPARE(PlaceWindow(600, 300, 680, 470), (WindowOrigin{-8, -3}));
    }

    // The about box: eleven lines joined by CR LF; the authors box: a blank,
    // then five lines separated by a CR alone; no break after the last, no e-mail.
    void helpTextsKeepTheirLinesAndBlanks()
    {
        const std::string about = AboutText();
        const std::vector<std::string> lines = Split(about, "\r\n");
        QCOMPARE(lines.size(), std::size_t{11});
        QCOMPARE(lines[0], std::string("Эта программа"));
        QCOMPARE(lines[1], std::string("расчитывает магнитные поля соленоида конечной длины."));
        QCOMPARE(lines[2], std::string(" "));
        QCOMPARE(lines[3], std::string("История версий:"));
        for (const std::string& line : lines)
            QVERIFY(!line.empty() && line.find_first_of("\r\n@") == std::string::npos);

        const std::string authors = AuthorsText();
        QVERIFY(authors.find_first_of("\n@") == std::string::npos);
        QVERIFY(authors.back() != '\r');
        const std::vector<std::string> parts = Split(authors, "\r");
        QCOMPARE(parts.size(), std::size_t{5});
        QCOMPARE(LeadingBlanks(parts[0]), std::size_t{29});  // the text's leading blank and 28 of the line
        QCOMPARE(parts[0].back(), ',');
        QCOMPARE(parts[1].back(), ' ');
        QCOMPARE(LeadingBlanks(parts[2]), std::size_t{29});
        QCOMPARE(parts[2].back(), ',');

        // For display, every CR, LF or CR LF breaks one line.
        QCOMPARE(WithLineFeeds(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
        QCOMPARE(WithLineFeeds(QStringLiteral(" \r\r x")), QStringLiteral(" \n\n x"));
        QCOMPARE(WithLineFeeds(QString::fromStdString(about)).count(QLatin1Char('\n')), 10);
        QVERIFY(WithLineFeeds(QString::fromStdString(authors))
                    .startsWith(QString(29, QLatin1Char(' ')) + QStringLiteral("Разработчики")));
    }

    void qtDialogButtonsSpeakRussian()
    {
        if (!InstallQtRussianTranslation(*QCoreApplication::instance()))
            QSKIP("Qt's Russian translation (qt6-translations-l10n) is not installed");
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    }
};

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
