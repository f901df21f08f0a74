// Turns one help page, written in the HTML subset of Qt's rich text, into an
// A4 PDF with numbered pages. Run by the build:
//
//     pdf_from_html PAGE.html OUT.pdf
//
// The PDF is written beside OUT.pdf and renamed only when it is complete, so
// a failed run never leaves a damaged document behind.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>
#include <optional>

#include "docs/help_figures.h"
#include "docs/page_breaks.h"
#include "texts/language.h"

namespace {

// Liberation Serif has the metrics of Times New Roman, the program's own
// font; DejaVu Serif stands in where it is missing. Both cover Cyrillic.
QFont BodyFont()
{
    QFont font(QFontDatabase::hasFamily("Liberation Serif") ? "Liberation Serif" : "DejaVu Serif");
    font.setPointSizeF(11.5);
    return font;
}

bool ReadUtf8(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

// Lays the document out on A4 pages and paints them one by one, each with its
// number at the foot.
void PrintPages(QTextDocument& document, QPdfWriter& writer)
{
    QPainter painter(&writer);
    const QRectF paintRect(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const double footer = writer.resolution() * 0.5;  // half an inch below the text
    const QSizeF body(paintRect.width(), paintRect.height() - footer);

    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(body);
    KeepTogether(document);

    painter.setFont(QFont(document.defaultFont().family(), 10));
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(QPointF(0, page * body.height()), body);
        painter.setClipRect(context.clip);  // lines of the neighbouring pages stay off this one
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        const QRectF foot(0, paintRect.height() - footer, paintRect.width(), footer);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, QString::number(page + 1));
    }
}

bool WritePdf(QTextDocument& document, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 15, 20, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator("Зорекс");
        PrintPages(document, writer);
    }
    return file.commit();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");  // a build step: no display is needed
    QGuiApplication app(argc, argv);
    // The figures' labels are in the page's language, Russian unless named.
    const std::optional<Language> language = Language::Named(argc == 4 ? argv[3] : "ru");
    if ((argc != 3 && argc != 4) || !language) {
        std::fprintf(stderr, "usage: pdf_from_html PAGE.html OUT.pdf [LANGUAGE]\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QString html;
    if (!ReadUtf8(input, html)) {
        std::fprintf(stderr, "pdf_from_html: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setDefaultFont(BodyFont());
    AddHelpFigures(document, *language);
    document.setHtml(html);
    if (!WritePdf(document, output)) {
        std::fprintf(stderr, "pdf_from_html: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
