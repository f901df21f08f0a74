#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

#include "docs/page_breaks.h"

namespace {

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
    document.setPageSize(QSizeF(400, kPageHeight));
    KeepTogether(document);
}

int PageOf(double y) { return static_cast<int>(std::floor(y / kPageHeight)); }

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
    // Wherever the page ends, a heading shares its page with the first line of
    // the paragraph under it, and a table shorter than a page is never split
    // and stays on the page of the paragraph that introduces it with a colon.
    void headingsAndShortTablesStayWithTheirText()
    {
        for (int fillers = 0; fillers < 30; ++fillers) {
            QTextDocument headed;
            LayOut(headed, fillers, "<h2>Заголовок</h2><p>Первая строка текста под заголовком.</p>");
            QTextBlock heading = headed.begin();
            while (heading.isValid() && heading.blockFormat().headingLevel() == 0)
                heading = heading.next();
            QVERIFY(heading.isValid());
            QCOMPARE(PageOf(FirstLine(headed, heading).top()), PageOf(FirstLine(headed, heading.next()).bottom() - 1));

            QTextDocument tabled;
            LayOut(tabled, fillers,
                   "<p>Таблица:</p><table border=\"1\">"
                   "<tr><td>1</td></tr><tr><td>2</td></tr><tr><td>3</td></tr><tr><td>4</td></tr></table>");
            const QList<QTextFrame*> frames = tabled.rootFrame()->childFrames();
            QCOMPARE(frames.size(), 1);
            const QRectF table = tabled.documentLayout()->frameBoundingRect(frames.first());
            QCOMPARE(PageOf(table.top()), PageOf(table.bottom() - 1));
            QTextBlock intro = tabled.begin();
            while (intro.isValid() && intro.text() != "Таблица:")
                intro = intro.next();
            QVERIFY(intro.isValid());
            QCOMPARE(PageOf(FirstLine(tabled, intro).top()), PageOf(table.top()));
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
