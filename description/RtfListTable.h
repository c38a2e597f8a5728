#pragma once

#include "description/RtfListFormat.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

class CodePageDecoder;
class RtfTokenizer;

// The lists of a word processor's \listtable and \listoverridetable, filled as the reader meets
// them. Paragraphs name a list override (\lsN); overrides that share a list without restarting
// it number on together, an override that restarts a level or gives it a format of its own
// numbers apart.
class RtfListTable {
public:
    // Read a \listtable or \listoverridetable group from just after its word; text is in codePage.
    void readLists(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage, int unicodeFallbackLength,
                   QStringList &notKept);
    void readOverrides(RtfTokenizer &tokenizer, CodePageDecoder &decoder, int codePage, int unicodeFallbackLength,
                       QStringList &notKept);

    // The format of a paragraph of list override number at level (from 0); no list when the
    // table names none (\ls0 without an override 0 is a paragraph outside lists).
    RtfListFormat paragraphFormat(int number, int level);

private:
    class Reader;

    void beginList();
    void beginLevel();
    void setLevelNumberFormat(int format); // \levelnfc
    void setLevelStart(int start);
    void appendLevelText(QStringView text);
    void endLevel();
    void setListId(int id);
    void appendListName(QStringView text); // \listname, up to its ';'
    void endList();

    void beginOverride();
    void setOverrideListId(int id);
    void beginOverrideLevel(); // \lfolevel: the overrides of the next level
    void restartOverrideLevel(); // \listoverridestartat
    void setOverrideLevelStart(int start); // \levelstartat of the \lfolevel itself
    void setOverrideNumber(int number); // the \lsN paragraphs name
    void endOverride();

    struct Level {
        RtfListFormat format;
        QString text; // \leveltext: its length, then text with level placeholders \'00 to \'08
    };
    struct LevelOverride {
        bool restart = false;
        std::optional<int> start;
        std::optional<RtfListFormat> format;
    };
    struct Override {
        int listId = 0;
        int number = -1; // none: no paragraph names it
        QList<LevelOverride> levels;
        int sequence = 0; // RtfListFormat::listId of its paragraphs; 0 until one is read
    };

    static void settle(Level &level);
    int sequenceOf(Override &override);

    std::map<int, QList<RtfListFormat>> lists_;
    std::map<int, Override> overrides_; // by \lsN
    std::map<int, int> listSequences_; // \listid of overrides that restart nothing
    int sequences_ = 0;
    QList<RtfListFormat> listLevels_;
    Level level_;
    bool inOverride_ = false;
    int listId_ = 0;
    QString listName_;
    Override override_;
};
