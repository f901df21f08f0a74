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

std::size_t LeadingBlanks(const std::string& line)
{
    return line.find_first_not_of(' ');
}

// The rectangles of the band, which keep their size whatever the client area.
std::vector<RealRect> BandSizes(const ControlLayout& c)
{
    std::vector<RealRect> sizes;
    for (const RealRect& r : {c.cmdOK, c.list1, c.label7, c.text1, c.label1, c.label4, c.vScroll1, c.label2, c.label5,
                              c.vScroll2, c.label3, c.label6, c.vScroll3})
        sizes.push_back({0, 0, r.width, r.height});
    return sizes;
}

}  // namespace

class WindowPartsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallQtWarningTrap(); }
    void cleanup() { QCOMPARE(TakeQtWarnings(), QStringList()); }

    void layoutAtTheStartSize()
    {
        const auto c = ArrangeControls(659, 406);
        QVERIFY(c.has_value());
        QCOMPARE(c->picture1, (RealRect{4, 4, 651, 320}));
        QCOMPARE(c->cmdOK, (RealRect{static_cast<float>(659.0f * 0.85), 328, 65, 22}));
        QCOMPARE(c->cmdOK.left, 560.15f);
        QCOMPARE(c->list1, (RealRect{4, 328, 195, 44}));
        QCOMPARE(c->label7, (RealRect{4, 376, 130, 22}));
        QCOMPARE(c->text1, (RealRect{134, 376, 65, 22}));
        QCOMPARE(c->label1, (RealRect{219, 328, 65, 22}));
        QCOMPARE(c->label4, (RealRect{219, 350, 65, 22}));
        QCOMPARE(c->vScroll1, (RealRect{284, 328, 16.25f, 44}));
        QCOMPARE(c->label2, (RealRect{320.25f, 328, 65, 22}));
        QCOMPARE(c->label5, (RealRect{320.25f, 350, 65, 22}));
        QCOMPARE(c->vScroll2, (RealRect{385.25f, 328, 16.25f, 44}));
        QCOMPARE(c->label3, (RealRect{421.5f, 328, 65, 22}));
        QCOMPARE(c->label6, (RealRect{421.5f, 350, 65, 22}));
        QCOMPARE(c->vScroll3, (RealRect{486.5f, 328, 16.25f, 44}));
    }

    void wideningMovesOnlyThePictureEdgeAndTheButton()
    {
        const auto narrow = ArrangeControls(659, 406);
        const auto wide = ArrangeControls(1000, 406);
        QCOMPARE(wide->picture1, (RealRect{4, 4, 992, 320}));
        QCOMPARE(wide->cmdOK.left, 850.0f);
        ControlLayout expected = *narrow;
        expected.picture1.width = wide->picture1.width;
        expected.cmdOK.left = wide->cmdOK.left;
        QVERIFY(*wide == expected);
    }

    void heighteningMovesTheBandDownWithoutResizingIt()
    {
        const auto low = ArrangeControls(659, 406);
        const auto high = ArrangeControls(659, 606);
        QCOMPARE(high->picture1, (RealRect{4, 4, 651, 520}));
        QCOMPARE(high->cmdOK.top, 528.0f);
        QCOMPARE(high->label7.top, 576.0f);
        QCOMPARE(high->label6.top, 550.0f);
        QCOMPARE(high->label6.top + high->label6.height + 34, 606.0f);  // the band keeps its distance to the bottom
        QVERIFY(BandSizes(*high) == BandSizes(*low));
        QCOMPARE(high->vScroll3.left, low->vScroll3.left);
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
        QCOMPARE(ToPixel(560.15f), 560);
        QCOMPARE(ToPixel(16.25f), 16);
        QCOMPARE(ToPixel(421.5f), 422);
        QCOMPARE(ToPixel(320.25f), 320);
        QCOMPARE(ToPixel(-0.5f), -1);
        QCOMPARE(ToPixel(0), 0);
    }

    void placementLeavesATenthAndAFiftiethOfTheFreeSpace()
    {
        QCOMPARE(PlaceWindow(1024, 768, 659, 425), (WindowOrigin{37, 7}));  // 36.5 and 6.86
        QCOMPARE(PlaceWindow(1920, 1080, 680, 470), (WindowOrigin{124, 12}));
        QCOMPARE(PlaceWindow(659, 425, 659, 425), (WindowOrigin{0, 0}));
        // A screen smaller than the window: the window starts off the screen.
        QCOMPARE(PlaceWindow(600, 300, 680, 470), (WindowOrigin{-8, -3}));
    }

    void aboutTextHasElevenLinesJoinedByCrLf()
    {
        const std::string text = AboutText();
        QVERIFY(text.size() >= 2 && text.substr(text.size() - 2) != "\r\n");
        const std::vector<std::string> lines = Split(text, "\r\n");
        QCOMPARE(lines.size(), std::size_t{11});
        QCOMPARE(lines[0], std::string("Эта программа"));
        QCOMPARE(lines[1], std::string("расчитывает магнитные поля соленоида конечной длины."));
        QCOMPARE(lines[2], std::string(" "));
        QCOMPARE(lines[3], std::string("История версий:"));
        for (const std::string& line : lines) {
            QVERIFY(!line.empty());
            QVERIFY(line.find_first_of("\r\n@") == std::string::npos);  // no stray break, no e-mail
        }
    }

    void authorsTextHasFiveLinesSeparatedByCrAlone()
    {
        const std::string text = AuthorsText();
        QVERIFY(text.find('\n') == std::string::npos);
        QVERIFY(text.back() != '\r');
        QCOMPARE(text.front(), ' ');
        const std::vector<std::string> lines = Split(text, "\r");
        QCOMPARE(lines.size(), std::size_t{5});
        QCOMPARE(LeadingBlanks(lines[0]), std::size_t{29});  // the text's leading blank and 28 of the line
        QCOMPARE(lines[0].back(), ',');
        QCOMPARE(lines[1].back(), ' ');
        QCOMPARE(LeadingBlanks(lines[2]), std::size_t{29});
        QCOMPARE(lines[2].back(), ',');
        QVERIFY(text.find('@') == std::string::npos);
    }

    void carriageReturnsBreakLinesForDisplay()
    {
        QCOMPARE(WithLineFeeds(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
        QCOMPARE(WithLineFeeds(QStringLiteral(" \r\r x")), QStringLiteral(" \n\n x"));
        const QString about = WithLineFeeds(QString::fromStdString(AboutText()));
        QCOMPARE(about.count(QLatin1Char('\n')), 10);
        const QString authors = WithLineFeeds(QString::fromStdString(AuthorsText()));
        QCOMPARE(authors.count(QLatin1Char('\n')), 4);
        QVERIFY(authors.startsWith(QString(29, QLatin1Char(' ')) + QStringLiteral("Разработчики")));
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
