#pragma once

#include "description/RtfListFormat.h"

#include <QList>
#include <QString>

#include <map>
#include <utility>

// The lists of a word processor's \listtable and \listoverridetable, filled as the reader meets
// them, and the numbers their paragraphs carry: a list's numbering goes on across the paragraphs
// between its items.
class RtfListTable {
public:
    void beginList();
    void beginLevel();
    void setLevelNumberFormat(int format); // \levelnfc
    void setLevelStart(int start);
    void appendLevelText(QStringView text);
    void endLevel();
    void setListId(int id);
    void endList();

    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideNumber(int number); // the \lsN paragraphs name

    // The format of the next paragraph of list override number at level (from 0). continuing
    // says the paragraph follows one of the same list and level.
    RtfListFormat paragraphFormat(int number, int level, bool continuing);

private:
    struct Level {
        RtfListFormat format;
        QString text; // \leveltext: its length, then text with level placeholders \'00 to \'08
    };

    static void settle(Level &level);

    std::map<int, QList<RtfListFormat>> lists_;
    std::map<int, int> overrides_; // \lsN to \listid
    std::map<std::pair<int, int>, int> itemsSoFar_;
    QList<RtfListFormat> listLevels_;
    Level level_;
    int listId_ = 0;
    int overrideListId_ = 0;
};
