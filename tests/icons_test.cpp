#include <QImage>
#include <QSvgRenderer>
#include <QTest>

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    // The window icon, compiled into zoreks_icons, and the desktop's 48 x 48
    // icon: their sizes, no transparent pixels in the window icon, and the red
    // turns and blue lines visible (a broken or empty rendering has neither).
    void iconsHaveTheirSizesAndColours()
    {
        const struct {
            QString file;
            int side, least;
        } icons[] = {{":/icons/zoreks-32.png", 32, 20}, {ZOREKS_ICON_48, 48, 40}};
        for (const auto& icon : icons) {
            const QImage image(icon.file);
            QCOMPARE(image.size(), QSize(icon.side, icon.side));
            int red = 0, blue = 0;
            bool opaque = true;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor p = image.pixelColor(x, y);
                    opaque = opaque && p.alpha() == 255;
                    red += p.red() > 180 && p.green() < 90 && p.blue() < 90;
                    blue += p.blue() > 180 && p.red() < 110 && p.green() < 110;
                }
            }
            QVERIFY(opaque || icon.side != 32);
            QVERIFY2(red >= icon.least && blue >= icon.least, qPrintable(icon.file));
        }
        QSvgRenderer scalable(QString(ZOREKS_ICON_SVG));
        QVERIFY(scalable.isValid());
        QCOMPARE(scalable.viewBoxF().width(), scalable.viewBoxF().height());
    }
};

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
