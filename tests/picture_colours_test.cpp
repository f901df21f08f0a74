// The pictures hold exactly the colours the run draws with, on white.
#include <gtest/gtest.h>

#include <QImage>

#include <set>

#include "plot/calculation_run.h"
#include "render/picture_files.h"
#include "test_support.h"

namespace {

class PictureColours : public testing::TestWithParam<int16_t> {};

TEST_P(PictureColours, AreTheDrawingColoursAndWhiteOnly)
{
    CalcParams p = StartValues(GetParam());
    const QByteArray png = PngPicture(651, 320, [&p](DrawingSurface& s) { RunCalculation(p, s, StoppedClock); });
    const QImage image = QImage::fromData(png, "PNG");
    ASSERT_FALSE(image.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xffffff);
    const std::set<QRgb> drawn{0xffffff, 0x0c0000, 0xff0000, 0x0c00ff};
    EXPECT_EQ(colours, drawn);
    if (GetParam() == kAxisGraph) {  // the vertical axis at x = 325.5 is one column wide
        EXPECT_EQ(image.pixel(324, 10) & 0xffffff, 0xffffffu);
        EXPECT_EQ(image.pixel(325, 10) & 0xffffff, 0x0c0000u);
        EXPECT_EQ(image.pixel(326, 10) & 0xffffff, 0xffffffu);
    }
}

INSTANTIATE_TEST_SUITE_P(Graphs, PictureColours, testing::Values(kAxisGraph, kFieldLinesGraph),
                         [](const auto& info) { return info.param == kAxisGraph ? "axis" : "lines"; });

}  // namespace
