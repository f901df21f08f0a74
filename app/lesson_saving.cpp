#include "app/lesson_saving.h"

#include <QFile>
#include <QFileInfo>

#include "app/file_dialogs.h"
#include "app/shown_language.h"
#include "app/message_boxes.h"
#include "export/file_replacement.h"
#include "lesson/lesson_file.h"

std::optional<QString> WriteLessonFile(const Lesson& lesson, const QString& path)
{
    const std::string name = QFile::encodeName(path).toStdString();
    if (auto problem = OutputPathProblem(name))
        return QString::fromStdString(Text(*problem, ShownLanguage()));
    // A pipe that nobody reads is refused rather than waited for: the window would hang.
    if (auto problem = ReplaceFile(name, LessonFileText(lesson), PipeWithoutReader::Fail))
        return QString::fromStdString(Text(*problem, ShownLanguage()));
    return std::nullopt;
}

std::optional<QString> SaveLessonFileAs(QWidget* parent, const Lesson& lesson)
{
    const QString extension = QString::fromUtf8(kLessonExtension.data(), qsizetype(kLessonExtension.size()));
    QFileDialog dialog(parent, QStringLiteral("Сохранить опыт"));
    PrepareFileDialog(dialog, "saveLessonDialog", QFileDialog::AcceptSave,
                      {QStringLiteral("Опыты Зорекса (*%1)").arg(extension)});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // The extension is added here rather than by the dialog, which would only
    // ask about replacing a file of the name as typed.
    QString path = dialog.selectedFiles().first();
    if (!path.endsWith(extension, Qt::CaseInsensitive)) {
        path += extension;
        if (QFileInfo::exists(path) && !ConfirmReplace(parent, QFileInfo(path).fileName()))
            return std::nullopt;
    }
    if (auto problem = WriteLessonFile(lesson, path)) {
        ShowProblem(parent, *problem);
        return std::nullopt;
    }
    return path;
}
