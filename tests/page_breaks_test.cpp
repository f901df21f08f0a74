#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

#include "docs/page_breaks.h"

namespace {

constexpr double kPageWidth = 400;
constexpr double kPageHeight = 300;

// A document of `fillers` one-line paragraphs followed by `tail`, laid out
// in small pages and passed through KeepTogether. The filler count moves the
// tail across a page boundary.
void LayOut(QTextDocument& document, int fillers, const QString& tail)
{
    QString html;
    for (int i = 0; i < fillers; ++i)
        html += QString("<p>Строка %1</p>").arg(i);
    document.setHtml(html + tail + "<p>Конец</p>");
    document.setPageSize(QSizeF(kPageWidth, kPageHeight));
    KeepTogether(document);
}

int PageOf(double y) { return static_cast<int>(std::floor(y / kPageHeight)); }

QTextBlock HeadingBlock(QTextDocument& document)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() > 0)
            return b;
    return {};
}

// The first line of a paragraph, where it is drawn.
QRectF FirstLine(QTextDocument& document, const QTextBlock& block)
{
    const QTextLine line = block.layout()->lineAt(0);
    const QRectF box = document.documentLayout()->blockBoundingRect(block);
    return QRectF(box.left(), box.top() + line.y(), box.width(), line.height());
}

}  // namespace

class PageBreaksTest : public QObject {
    Q_OBJECT

private slots:
    // Wherever the page ends, a heading shares its page with the first line
    // of the paragraph under it.
    void headingStaysWithItsText()
    {
        for (int fillers = 0; fillers < 30; ++fillers) {
            QTextDocument document;
            LayOut(document, fillers, "<h2>Заголовок</h2><p>Первая строка текста под заголовком.</p>");
            const QTextBlock heading = HeadingBlock(document);
            QVERIFY(heading.isValid());
            const QRectF headingLine = FirstLine(document, heading);
            const QRectF textLine = FirstLine(document, heading.next());
            QCOMPARE(PageOf(headingLine.top()), PageOf(textLine.bottom() - 1));
        }
    }

    // A table shorter than a page is never split, and the paragraph that
    // introduces it with a colon stays on its page.
    void shortTableIsKeptWhole()
    {
        const QString table = "<p>Таблица:</p><table border=\"1\">"
                              "<tr><td>1</td></tr><tr><td>2</td></tr><tr><td>3</td></tr><tr><td>4</td></tr>"
                              "</table>";
        for (int fillers = 0; fillers < 30; ++fillers) {
            QTextDocument document;
            LayOut(document, fillers, table);
            const QList<QTextFrame*> frames = document.rootFrame()->childFrames();
            QCOMPARE(frames.size(), 1);
            const QRectF tableBox = document.documentLayout()->frameBoundingRect(frames.first());
            QCOMPARE(PageOf(tableBox.top()), PageOf(tableBox.bottom() - 1));

            QTextBlock intro;
            for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
                if (b.text() == "Таблица:")
                    intro = b;
            QVERIFY(intro.isValid());
            QCOMPARE(PageOf(FirstLine(document, intro).top()), PageOf(tableBox.top()));
        }
    }

    // Nothing is moved where nothing would be split: one page stays one page.
    void shortDocumentKeepsItsPage()
    {
        QTextDocument document;
        LayOut(document, 2, "<h2>Заголовок</h2><p>Текст.</p>");
        QCOMPARE(document.pageCount(), 1);
    }
};

QTEST_MAIN(PageBreaksTest)
#include "page_breaks_test.moc"
