#pragma once

#include <QString>

class QTextDocument;

// A description's formatted text for a web page: the body of what Qt makes of the document, so
// it can sit inside a page of our own.
namespace DescriptionHtml {

// Font families a browser may not have fall back to a sans-serif face, as the editor's
// stand-ins do, instead of to the browser's default serif.
QString fragment(const QTextDocument &document);

} // namespace DescriptionHtml
