#pragma once

#include <QByteArray>
#include <QList>

// Small documents written as word processors and rich-edit controls write them, for forms the
// corpus has no file of: each must survive reading, writing and reading again, here and in
// other programs.
namespace RtfSamples {

struct Sample {
    const char *name;
    QByteArray rtf;
};

// A list table with two levels, a list broken by a plain paragraph, an item broken by \line,
// a start number, an override that restarts its list, and a bullet list.
QByteArray wordProcessorLists();

// Fonts in the Cyrillic, Central European and symbol character sets, one without a set under a
// Cyrillic \ansicpg, a Cyrillic font name, and a symbol font's bytes that are no text.
QByteArray fontCharacterSets();

// Text raised and lowered by \up and \dn, superscripts and subscripts, one after another, and
// both in one run.
QByteArray raisedAndLoweredText();

// A table whose rows have heights and borders, and whose cells have borders of several kinds
// and colours, shading, vertical alignments, and merges across and down.
QByteArray tableBordersShadingMerges();

// A second level whose numbers show the first level's before their own ("1.1.").
QByteArray nestedLevelNumbers();

// A list that numbers on through the cells of a table and after it.
QByteArray listAcrossTableCells();

// A list override numbered \ls0, as older word processors write it.
QByteArray listOverrideZero();

// A paragraph that continues a list item without a number of its own (\pnlvlcont).
QByteArray continuationParagraph();

// A picture inside a shape, as its result for readers without shapes (\shprslt).
QByteArray pictureInShapeResult();

// A picture frame whose picture is only in its pib property, beside a result that holds only a
// drawing object.
QByteArray pictureInShapeProperty();

QList<Sample> all();

} // namespace RtfSamples
