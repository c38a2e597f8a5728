#pragma once

#include "description/RtfCharacterFormat.h"
#include "description/RtfKeywords.h"
#include "description/RtfTokenizer.h"

#include <QStringList>

class RtfColorTable;
class RtfFontTable;

// A group's character formatting as its words set it: fonts and colours by their numbers in the
// document's tables, which may change until the body starts.
struct RtfCharacterState {
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = 24; // RTF's own default size: 12 pt
    int foreground = -1; // colour table index; -1: automatic
    int background = -1;
    bool bold = false;
    bool italic = false;
    int underline = 0;
    bool strikeOut = false;
    RtfCharacterFormat::Position position = RtfCharacterFormat::Position::Normal;
    int raise = 0;
    RtfCharacterFormat::Capitals capitals = RtfCharacterFormat::Capitals::None;
    bool hidden = false;
    bool rightToLeft = false;
    int language = 0;
    int link = -1; // index in the document's links

    // A font or colour the tables do not hold leaves the state as it was.
    void apply(const RtfKeyword &keyword, const RtfTokenizer::Token &token, const RtfFontTable &fonts,
               const RtfColorTable &colors);

    // What a state's numbers stand for: the document's tables, its links and its defaults.
    struct Document {
        const RtfFontTable &fonts;
        const RtfColorTable &colors;
        const QStringList &links;
        int defaultFont;
        int codePage;
        bool utf8;
        int defaultLanguage;
    };
    RtfCharacterFormat resolve(const Document &document) const;

    bool operator==(const RtfCharacterState &other) const;
    bool operator!=(const RtfCharacterState &other) const { return !(*this == other); }
};
