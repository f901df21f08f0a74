#include "app/picture_saving.h"

#include <QFileInfo>

#include "app/file_dialogs.h"
#include "app/shown_language.h"
#include "app/message_boxes.h"
#include "export/file_replacement.h"
#include "render/picture_contents.h"
#include "surface/pixel_ratio.h"

namespace {

struct FileType {
    OutputFormat format;
    const char* filter;
    const char* extension;
};

constexpr FileType kFileTypes[] = {
    {OutputFormat::Png, "Рисунок PNG (*.png)", "png"},
    {OutputFormat::Svg, "Рисунок SVG (*.svg)", "svg"},
    {OutputFormat::Pdf, "Документ PDF (*.pdf)", "pdf"},
    {OutputFormat::Csv, "Таблица CSV (*.csv)", "csv"},
};

const FileType& TypeOfFilter(const QString& filter)
{
    for (const FileType& type : kFileTypes)
        if (filter == QString::fromUtf8(type.filter))
            return type;
    return kFileTypes[0];
}

// The format that a file name's extension asks for, else the given one.
OutputFormat FormatOfName(const QString& path, OutputFormat otherwise)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const FileType& type : kFileTypes)
        if (suffix.compare(QLatin1String(type.extension), Qt::CaseInsensitive) == 0)
            return type.format;
    return otherwise;
}

}  // namespace

std::optional<QString> WriteRunFile(const RunRecord& run, OutputFormat format, const QString& path)
{
    RenderOptions options = RenderOptionsOf(run.shown.lesson, format, run.width, run.height);
    options.pixelRatio = run.pixelRatio;  // as sharp as the window shows it
    options.output = path.toStdString();
    options.additions.language = ShownLanguage();  // the words as the window draws them
    if (auto problem = OutputPathProblem(options.output))
        return QString::fromStdString(Text(*problem, ShownLanguage()));
    const QByteArray contents = ExportedContents(options);
    if (contents.isEmpty())
        return QStringLiteral("Не хватает памяти для рисунка %1x%2.")
            .arg(DevicePixels(run.width, run.pixelRatio))
            .arg(DevicePixels(run.height, run.pixelRatio));
    // A pipe that nobody reads is refused rather than waited for: the window would hang.
    if (auto problem = ReplaceFile(options.output, std::string_view(contents.constData(), size_t(contents.size())),
                                   PipeWithoutReader::Fail))
        return QString::fromStdString(Text(*problem, ShownLanguage()));
    return std::nullopt;
}

void SaveRunFileAs(QWidget* parent, const RunRecord& run)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить рисунок"));
    QStringList filters;
    for (const FileType& type : kFileTypes)
        filters << QString::fromUtf8(type.filter);
    PrepareFileDialog(dialog, "savePictureDialog", QFileDialog::AcceptSave, filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The filter chosen last counts, however it was chosen: its extension is
    // added here rather than by the dialog, which would only ask about
    // replacing a file of the name as typed.
    const FileType& chosen = TypeOfFilter(dialog.selectedNameFilter());
    QString path = dialog.selectedFiles().first();
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + QLatin1String(chosen.extension);
        if (QFileInfo::exists(path) && !ConfirmReplace(parent, QFileInfo(path).fileName()))
            return;
    }
    const OutputFormat format = FormatOfName(path, chosen.format);
    if (auto problem = WriteRunFile(run, format, path))
        ShowProblem(parent, *problem);
}
