#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// The bytes of a profile file, read and edited the way the Windows profile functions treat them,
// so files pass between this program and Windows unharmed. Lines end in CRLF, LF or a lone CR; a
// line whose first non-blank byte is '[' is a section header; lines before the first header, ';'
// comments and lines without '=' hold no keys. Names are compared without regard to letter case
// and the first of duplicate sections or keys is the one that counts.
//
// The text is scanned where it lies, never split into lines: start-up alone reads hundreds of keys,
// so a lookup jumps from '[' to '[' and only walks the lines of the one section it wants.
//
// Names are passed as stored bytes without the caller's outer spaces.
class ProfileText {
public:
    explicit ProfileText(QByteArray bytes);

    // The key's value as read: blanks trimmed and one pair of outer quotes removed. Nothing when
    // the section or the key is missing; an empty view when the key line ends at its '='.
    std::optional<QByteArrayView> value(QByteArrayView section, QByteArrayView key) const;
    // The same value as it stands in the file (blanks trimmed, quotes kept): what a write must put
    // back for the file to be as it was.
    std::optional<QByteArrayView> storedValue(QByteArrayView section, QByteArrayView key) const;
    // True when the first section of that name holds at least one key line, whatever its value.
    bool hasKeys(QByteArrayView section) const;
    // The key names of the first section of that name as stored (blanks trimmed), in file order;
    // a whole-catalogue check looks for keys no reader knows.
    QList<QByteArray> keyNames(QByteArrayView section) const;

    // Every edit keeps all other bytes as they are and ends the lines it writes with CRLF. It
    // gives nothing when the bytes would stay the same, so callers can leave the file untouched.
    //
    // An existing key keeps its line, spelling and spacing; only the bytes after the '=' and its
    // blanks are replaced, or all bytes after the '=' when the value itself starts with a blank. A new key follows the
    // section's last key line; a new section is appended at the end.
    std::optional<QByteArray> withValue(QByteArrayView section, QByteArrayView key, QByteArrayView value) const;
    // Removes the key's line; the header stays even when the section becomes empty.
    std::optional<QByteArray> withoutKey(QByteArrayView section, QByteArrayView key) const;
    // Removes the header and the key lines. Comments, blank lines and lines without '=' stay:
    // they hold no keys, and whatever a user wrote there is not ours to throw away.
    std::optional<QByteArray> withoutSection(QByteArrayView section) const;

    // The section as it stands in source, header, key lines and all, in place of this text's one
    // (appended when this text has none; removed as withoutSection() does when source has none).
    std::optional<QByteArray> withSectionFrom(const ProfileText &source, QByteArrayView section) const;
    // The same, put in the place of this text's section target: an item restored under the number
    // it moved to.
    std::optional<QByteArray> withSectionFrom(const ProfileText &source, QByteArrayView section,
                                              QByteArrayView target) const;

    // Whether a name written into a file reads back as itself. A section name must not hold ']';
    // a key name must not hold '=' or start with ';' or '['; neither may hold a line break or
    // begin or end with a blank, which the reader would trim away.
    static bool canHoldSectionName(QByteArrayView name);
    static bool canHoldKeyName(QByteArrayView name);

    // Whether two stored names are one name to the reader.
    static bool sameName(QByteArrayView stored, QByteArrayView wanted);

    // Every section as the reader meets it, duplicates included, for a check that reports what
    // the reader passes over: the key names in file order and the lines that hold no '='.
    struct SectionLines {
        QByteArray name;
        QList<QByteArray> keys;
        QList<QByteArray> linesWithoutEquals; // blanks trimmed
    };
    QList<SectionLines> sections() const;

private:
    struct Line {
        qsizetype begin = 0;
        qsizetype end = 0; // where the line break starts
        qsizetype next = 0; // where the following line starts
    };
    struct Section {
        Line header;
        qsizetype bodyEnd = 0; // the start of the next header line, or the end of the text
    };
    struct KeyLine {
        Line line;
        qsizetype equals = 0;
    };

    Line lineFrom(qsizetype begin) const;
    qsizetype nextHeaderLine(qsizetype from) const;
    QByteArrayView headerName(const Line &header) const;
    std::optional<Section> findSection(QByteArrayView name) const;
    std::optional<KeyLine> keyLineIn(const Line &line) const;
    template <typename Visit>
    void forEachKeyLine(const Section &section, Visit visit) const;
    std::optional<KeyLine> findKey(const Section &section, QByteArrayView name) const;

    QByteArray bytes_;
};
