#include "description/PastedDescription.h"

#include "description/RtfPicture.h"
#include "description/RtfReader.h"
#include "description/RtfWriter.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

namespace PastedDescription {

namespace {

// Rich-edit controls put RTF on the clipboard; browsers and office programs put HTML there.
constexpr char rtfMimeType[] = "text/rtf";

} // namespace

QTextDocumentFragment fromMimeData(const QMimeData &source, const QFont &defaultFont)
{
    QTextDocument pasted;
    pasted.setDefaultFont(defaultFont);
    if (source.hasFormat(QLatin1String(rtfMimeType)))
        RtfReader::read(source.data(QLatin1String(rtfMimeType)), pasted);
    else if (source.hasHtml())
        pasted.setHtml(source.html());
    else
        return {};
    QTextDocument kept;
    kept.setDefaultFont(defaultFont);
    RtfReader::read(RtfWriter::write(pasted), kept);
    return QTextDocumentFragment(&kept);
}

void addPictures(const QTextDocumentFragment &fragment, QTextDocument &document)
{
    QTextDocument holder;
    QTextCursor(&holder).insertFragment(fragment);
    for (QTextBlock block = holder.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                // Their data, not the holder's resources, are what the format keeps.
                RtfPicture::fromImageFormat(format.toImageFormat(), holder).toImageFormat(document);
            }
        }
    }
}

} // namespace PastedDescription
