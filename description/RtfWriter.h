#pragma once

#include "description/CodePageEncoder.h"
#include "description/RtfCharacterFormat.h"
#include "description/RtfDocumentLists.h"
#include "description/RtfParagraphFormat.h"
#include "description/RtfPicture.h"
#include "description/RtfRowFormat.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTextFormat>
#include <QTextFrame>

#include <optional>

class QTextBlock;
class QTextDocument;
class QTextTable;

// Writes a document as RTF in the dialect of the Windows rich-edit control: the same header,
// font and colour tables, flat formatting deltas, \'hh for Windows-1252 and \uN? beyond it.
// Writing what RtfReader read from our own output gives the same bytes again.
class RtfWriter {
public:
    // Windows' identifier of Danish, the language of a document that names none.
    static constexpr int danishLanguage = 1030;

    // The document keeps the language tags of the file it was read from; one that has none is
    // tagged with untaggedLanguage.
    static QByteArray write(const QTextDocument &document, int untaggedLanguage = danishLanguage);

private:
    RtfWriter(const QTextDocument &document, int untaggedLanguage);

    QByteArray result();
    void collectTables();
    void writeHeader(QByteArray &out);
    void writeBody();
    // Blocks are visited once to collect the font and colour tables, once to write them.
    using BlockVisit = void (RtfWriter::*)(const QTextBlock &block, int depth, const char *end);
    void visitFrame(QTextFrame::iterator it, QTextFrame::iterator end, int depth, const char *lastEnd,
                    BlockVisit visit);
    void visitTable(const QTextTable &table, int depth, BlockVisit visit);
    void collectBlock(const QTextBlock &block, int depth, const char *end);
    void collectRowColors(const RtfRowFormat &row);
    void writeRowFormat(const RtfRowFormat &row);
    void writeCellFormat(const RtfCellFormat &cell);
    void writeBorder(const char *side, const RtfBorder &border);
    void writeBlock(const QTextBlock &block, int depth, const char *end);
    int numberFont(const QTextBlock &block);
    void writeListText(const RtfListFormat &list, const QString &number, const QTextBlock &block);
    // beforeNumber: what a rich-edit list shows before the number, the outer levels' numbers too.
    void writeListDefinition(const RtfListFormat &list, int numberFont, int firstNumber, const QString &beforeNumber);
    void writeListTable();
    void writeListLevel(const RtfListFormat &level, int index);
    void writeParagraphFormat(const RtfParagraphFormat &paragraph, int numberFont, int firstNumber,
                              const QString &beforeNumber);
    void writeCharacterFormat(const RtfCharacterFormat &character);
    void writeLink(const QString &target);
    void writePicture(const RtfPicture &picture);
    void writeText(QStringView text);
    void writeCharacter(char16_t character);
    void writeControlWord(const char *word);
    void writeControlWord(const char *word, int parameter);
    void writeControlSymbol(const char *symbol);
    void writeHexByte(int byte);
    // In the code page of the character set: \'hh where the page has the character, else \uN?.
    void writeEncoded(QByteArray &out, QStringView character, int charset);

    // What a block shows: one format and text per run, or the paragraph mark's format alone.
    template <typename Visit>
    void forEachRun(const QTextBlock &block, Visit visit);
    const RtfCharacterFormat &characterFormat(int formatIndex);
    void addFont(const QString &family, int charset);
    void addColor(const QColor &color);
    int fontIndex(const QString &family, int charset) const;
    int bulletFont(RtfListFormat::Kind kind) const;
    int colorIndex(const QColor &color) const;

    const QTextDocument &document_;
    const QFont defaultFont_;
    const int defaultLanguage_;
    const int farEastLanguage_; // 0: none given
    const QList<QTextFormat> formats_;
    QHash<int, RtfCharacterFormat> characterFormats_;
    using Font = std::pair<QString, int>; // family and character set
    QList<Font> fonts_;
    QHash<Font, int> fontIndexes_;
    CodePageEncoder encoder_;
    QList<QRgb> colors_;
    QHash<QRgb, int> colorIndexes_; // as written: 1 for the first, 0 is automatic
    RtfDocumentLists lists_;
    QByteArray listTable_; // \listtable and \listoverridetable, for the header

    QByteArray body_;
    RtfCharacterFormat written_;
    std::optional<RtfParagraphFormat> writtenParagraph_;
    bool delimiterPending_ = false;
    QString openLink_;
    RtfCharacterFormat formatBeforeLink_;
};
