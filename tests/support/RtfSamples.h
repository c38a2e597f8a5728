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

QList<Sample> all();

} // namespace RtfSamples
