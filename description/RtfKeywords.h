#pragma once

#include <QByteArrayView>

// The control words of a description's body, each with the group of words it belongs to and
// what it does there. The words of the destinations that are read as a whole (the font, colour
// and list tables, pictures, \pn) are their readers' own. Each group's actions are an enum of
// their own, so that a handler that leaves one out is a compiler warning.
struct RtfKeyword {
    // Words that open a destination: a group whose content is not (only) body text.
    enum class Destination {
        Skip, // content a description does not hold, reported as not kept
        PassOver, // copies of what is read, for readers that cannot read it, and parts out of place
        FontTable,
        ColorTable,
        ListTable,
        ListOverrideTable,
        Numbering, // \pn
        Picture,
        Alternatives, // \upr: an ANSI and a Unicode version of the same content
        UnicodeAlternative, // \ud: the one of them that is read
        FieldInstruction,
        FieldResult,
        ListText, // \pntext, \listtext: a list item's number as text
        Read, // read as body text
        Shape,
        ShapeInstructions,
        ShapeResult,
    };
    // The document's properties, fields, and the words that stand for text.
    enum class Document {
        Utf8,
        CharacterSet,
        AnsiCodePage,
        DefaultFont,
        DefaultLanguage,
        DefaultFarEastLanguage,
        NotKept,
        FootnoteMark,
        Field,
        Character,
        UnicodeCharacter,
        UnicodeFallbackLength,
    };
    enum class Character {
        Font,
        Plain,
        FontSize,
        Foreground,
        Background,
        Bold,
        Italic,
        Underline,
        StrikeOut,
        Position,
        Raise,
        Capitals,
        Hidden,
        RunDirection,
        Language,
    };
    // Paragraph formatting, and the ends of paragraphs, cells and rows.
    enum class Paragraph {
        Border,
        Defaults,
        LeftIndent,
        RightIndent,
        FirstLineIndent,
        SpaceBefore,
        SpaceAfter,
        LineSpacing,
        LineSpacingMultiple,
        Alignment,
        Direction,
        TabKind,
        TabLeader,
        TabPosition,
        BarTab,
        Break,
        ListOverride,
        ListLevel,
        TableParagraph,
        TableDepth,
        CellEnd,
        RowEnd,
    };
    // A table row's definition.
    enum class Row {
        Defaults,
        Gap,
        Left,
        CellRight,
        Height,
        RowBorder,
        CellBorder,
        BorderStyle,
        BorderWidth,
        BorderColor,
        CellBackground,
        CellPattern,
        CellShading,
        CellMerge,
        CellAlignment,
    };
    enum class Group { Destination, Document, Character, Paragraph, Row };

    // The group is the one whose enum the action is of.
    template <typename Action>
    constexpr RtfKeyword(Action action, int value = 0)
        : group(groupOf(action))
        , action(int(action))
        , value(value)
    {
    }

    Destination destination() const { return Destination(action); }
    Document document() const { return Document(action); }
    Character character() const { return Character(action); }
    Paragraph paragraph() const { return Paragraph(action); }
    Row row() const { return Row(action); }
    bool is(Destination destination) const { return group == Group::Destination && action == int(destination); }

    // Null for a word the body does not read.
    static const RtfKeyword *find(QByteArrayView word);

    static constexpr Group groupOf(Destination) { return Group::Destination; }
    static constexpr Group groupOf(Document) { return Group::Document; }
    static constexpr Group groupOf(Character) { return Group::Character; }
    static constexpr Group groupOf(Paragraph) { return Group::Paragraph; }
    static constexpr Group groupOf(Row) { return Group::Row; }

    Group group;
    int action;
    // Character: the character; CharacterSet: the code page; Alignment, TabKind, TabLeader,
    // Position, Capitals, CellAlignment: the enum value; Underline: the kind; Raise: the sign;
    // RowBorder, CellBorder: the side; BorderStyle: the style; CellEnd, RowEnd: the depth, 1
    // or nested; CellMerge: first or continued (even, odd), across or down (0 and 1, 2 and 3).
    int value;
};
