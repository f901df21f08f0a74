#include "render/picture_contents.h"

#include "params/graph_choice.h"
#include "plot/calculation_run.h"
#include "surface/pixel_ratio.h"
#include "texts/message.h"
#include "render/picture_files.h"
#include "export/render_options.h"
#include "export/run_tables.h"

QByteArray PictureContents(RenderOptions o)
{
    CalcParams& p = o.params;
    // The tool shows no caption, so the run's clock is never read for real.
    const DrawPicture draw = [&p, &o](DrawingSurface& surface) {
        RunCalculation(p, surface, [] { return ClockReading{}; }, o.additions);
    };
    const Message titleText = Message("%1: %2").arg(Message(kProgramTitle)).arg(
        Message(p.graphMode == kAxisGraph ? kAxisGraphEntry : kFieldLinesGraphEntry));
    const QString title = QString::fromStdString(Text(titleText, o.additions.language));
    const double r = o.pixelRatio;
    const int width = DevicePixels(o.width, r), height = DevicePixels(o.height, r);
    switch (o.format) {
    case OutputFormat::Png:
        return PngPicture(width, height, draw, r);
    case OutputFormat::Svg:
        return SvgPicture(width, height, title, draw, r);
    case OutputFormat::Pdf:
        return PdfPicture(width, height, title, draw, r);
    case OutputFormat::Csv:
        break;
    }
    return {};
}

QByteArray ExportedContents(const RenderOptions& o)
{
    return o.format == OutputFormat::Csv ? QByteArray::fromStdString(TableContents(o)) : PictureContents(o);
}
