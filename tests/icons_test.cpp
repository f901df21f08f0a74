#include <QImage>
#include <QSvgRenderer>
#include <QTest>

namespace {

// Counts the pixels of the winding (strong red) and of the field lines
// (strong blue): a broken or empty rendering has neither.
struct Colours {
    int red = 0;
    int blue = 0;
    bool opaque = true;
};

Colours CountColours(const QImage& image)
{
    Colours c;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            c.opaque = c.opaque && p.alpha() == 255;
            if (p.red() > 180 && p.green() < 90 && p.blue() < 90)
                ++c.red;
            if (p.blue() > 180 && p.red() < 110 && p.green() < 110)
                ++c.blue;
        }
    }
    return c;
}

}  // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    // The window icon is compiled into zoreks_icons: 32 x 32, no transparent
    // pixels, with the red turns and the blue lines visible.
    void windowIconIsBuiltIn()
    {
        const QImage icon(":/icons/zoreks-32.png");
        QVERIFY2(!icon.isNull(), "the resource :/icons/zoreks-32.png is missing");
        QCOMPARE(icon.size(), QSize(32, 32));
        const Colours c = CountColours(icon);
        QVERIFY(c.opaque);
        QVERIFY(c.red >= 20);
        QVERIFY(c.blue >= 20);
    }

    void desktopIconsHaveTheirSizes()
    {
        const QImage icon48(ZOREKS_ICON_48);
        QCOMPARE(icon48.size(), QSize(48, 48));
        const Colours c = CountColours(icon48);
        QVERIFY(c.red >= 40);
        QVERIFY(c.blue >= 40);

        QSvgRenderer scalable(QString(ZOREKS_ICON_SVG));
        QVERIFY(scalable.isValid());
        QCOMPARE(scalable.viewBoxF().width(), scalable.viewBoxF().height());
    }
};

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
