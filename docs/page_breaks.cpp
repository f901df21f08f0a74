#include "docs/page_breaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>
#include <vector>

namespace {

// One piece of the document's top-level flow: a paragraph or a table.
struct FlowItem {
    QTextBlock block;              // valid for a paragraph
    QTextFrame* frame = nullptr;   // set for a table
};

std::vector<FlowItem> TopLevelFlow(QTextDocument& document)
{
    std::vector<FlowItem> items;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (it.currentFrame())
            items.push_back({QTextBlock(), it.currentFrame()});
        else
            items.push_back({it.currentBlock(), nullptr});
    }
    return items;
}

// Where an item's content lies. For a paragraph that is the span of its lines,
// not its box: a line pushed onto the next page leaves the box behind.
QRectF Bounds(QTextDocument& document, const FlowItem& item)
{
    auto* layout = document.documentLayout();
    if (item.frame)
        return layout->frameBoundingRect(item.frame);
    const QRectF box = layout->blockBoundingRect(item.block);
    const QTextLayout* lines = item.block.layout();
    if (!lines || lines->lineCount() == 0)
        return box;
    const QTextLine first = lines->lineAt(0);
    const QTextLine last = lines->lineAt(lines->lineCount() - 1);
    return QRectF(box.left(), box.top() + first.y(), box.width(), last.y() + last.height() - first.y());
}

// The bottom of the first line of a paragraph, or of the whole table.
double FirstLineBottom(QTextDocument& document, const FlowItem& item)
{
    const QRectF bounds = Bounds(document, item);
    if (item.frame || !item.block.layout() || item.block.layout()->lineCount() == 0)
        return bounds.bottom();
    return bounds.top() + item.block.layout()->lineAt(0).height();
}

bool KeepsWithNext(const FlowItem& item)
{
    if (item.frame)
        return false;
    if (item.block.blockFormat().headingLevel() > 0)
        return true;
    return item.block.text().trimmed().endsWith(':');
}

void BreakBefore(FlowItem& item)
{
    if (item.frame) {
        QTextFrameFormat format = item.frame->frameFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        item.frame->setFrameFormat(format);
    } else {
        QTextBlockFormat format = item.block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(item.block).setBlockFormat(format);
    }
}

}  // namespace

void KeepTogether(QTextDocument& document)
{
    const double pageHeight = document.pageSize().height();
    const auto page = [pageHeight](double y) { return static_cast<int>(std::floor(y / pageHeight)); };

    std::vector<FlowItem> items = TopLevelFlow(document);
    for (size_t i = 0; i < items.size(); ++i) {
        // Positions are read afresh: a break placed above moves everything below.
        const QRectF bounds = Bounds(document, items[i]);
        bool split = false;
        if (items[i].frame)
            split = bounds.height() < pageHeight && page(bounds.top()) != page(bounds.bottom() - 1);
        if (!split && KeepsWithNext(items[i]) && i + 1 < items.size())
            split = page(bounds.bottom() - 1) != page(FirstLineBottom(document, items[i + 1]) - 1);
        if (!split)
            continue;
        // Start the new page at the first of the items that belong together.
        size_t first = i;
        while (first > 0 && KeepsWithNext(items[first - 1]))
            --first;
        if (first == 0)
            continue;
        const bool startsPage = page(Bounds(document, items[first - 1]).bottom() - 1) != page(Bounds(document, items[first]).top());
        if (!startsPage)
            BreakBefore(items[first]);
    }
}
