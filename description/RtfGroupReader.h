#pragma once

#include "description/RtfTokenizer.h"

#include <QStringList>

#include <vector>

// Reads the rest of one brace group, nested groups and all, for a destination that is read as a
// whole: a table, a picture, a paragraph's numbering. Its reader is told the group's words, text
// and nested groups and answers whether a word is one of its own. A nested group that starts with
// \* and a word its reader does not take is passed over, as are groups nested beyond reason;
// \uN comes with its fallback left out.
class RtfGroupReader {
public:
    // What a destination's reader is told of its group.
    class Handler {
    public:
        enum class Answer {
            Taken,
            NotMine,
            SkipGroup, // the word is the reader's, but the group it opens is not read here
            GroupRead, // the reader read the group the word opens itself, to its end
        };
        virtual ~Handler() = default;
        virtual Answer word(const RtfTokenizer::Token &token) = 0;
        // Literal text, \'hh, and \\, \{, \} as the characters they escape.
        virtual void text(QByteArrayView bytes) = 0;
        // \uN, and the words and symbols that stand for a character (\tab, \~).
        virtual void character(char16_t) { }
        virtual void binary(QByteArrayView) { }
        virtual void groupStart() { }
        // Last for the destination's own group. A group passed over ends without having been
        // read, as if it had not been there.
        virtual void groupEnd(bool passedOver) = 0;
    };

    // Reads from just after the destination's word to the group's closing brace; false when the
    // data ended first. The words of skipped groups are added to notKept, when given.
    static bool read(RtfTokenizer &tokenizer, Handler &handler, int unicodeFallbackLength,
                     QStringList *notKept = nullptr);

    // Adds word to the words of what the file holds that a description does not.
    static void noteNotKept(QStringList &notKept, QByteArrayView word);

private:
    RtfGroupReader(RtfTokenizer &tokenizer, Handler &handler, int unicodeFallbackLength, QStringList *notKept);

    bool readAll();
    void startGroup();
    void endGroup(bool passedOver);
    bool passOverGroup();
    void readWord(const RtfTokenizer::Token &token);
    void readSymbol(char symbol);

    RtfTokenizer &tokenizer_;
    Handler &handler_;
    QStringList *notKept_;
    // \ucN of each open group, the destination's own first.
    std::vector<int> fallbackLengths_;
    int fallbackLeft_ = 0;
    bool atStart_ = false;
    bool ignorable_ = false;
    bool closed_ = false;
};
