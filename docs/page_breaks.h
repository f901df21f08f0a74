#pragma once

class QTextDocument;

// Moves page breaks so that a page never ends right after a heading or an
// introducing paragraph (one that ends in a colon), and a table shorter than
// a page is never split. The document must already be laid out in pages
// (QTextDocument::setPageSize).
void KeepTogether(QTextDocument& document);
