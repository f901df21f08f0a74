#include "app/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

#include "plot/calculation_run.h"

bool ConfirmExit(QWidget* parent, bool measurementsUnsaved)
{
    QString question = QCoreApplication::translate("Zoreks", "Вы абсолютно уверены?");
    if (measurementsUnsaved)
        question.prepend(QCoreApplication::translate(
            "Zoreks", "Измерения не сохранены в опыте (Файл → Сохранить опыт…) и пропадут.\n"));
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("Zoreks", "На Выход"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool ConfirmReplace(QWidget* parent, const QString& fileName)
{
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kProgramTitle),
                    QCoreApplication::translate("Zoreks", "Файл «%1» уже есть. Заменить его?").arg(fileName),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void ShowNotice(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, WithLineFeeds(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowProblem(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString WithLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
