#pragma once

#include <QTextFormat>

// What RTF says that Qt's formats have no property for, kept on the formats so that the writer
// gives back the control words the reader met.
namespace RtfProperty {

enum : int {
    // int: the underline kind's index in RtfCharacterFormat's table, for kinds Qt draws alike.
    UnderlineKind = QTextFormat::UserProperty + 0x5254,
    // QString: the text of a hidden run (\v), held by an inline object that takes no room.
    HiddenText,
    // QByteArray: a picture's data as the file held it, and the word that names its kind
    // with its number ("pngblip", "wmetafile8").
    PictureData,
    PictureType,
    // int: \picw, \pich, \picwgoal, \pichgoal, \picscalex, \picscaley as read.
    PictureWidth,
    PictureHeight,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
    // int: \piccropl, \piccropr, \piccropt, \piccropb as read.
    PictureCropLeft,
    PictureCropRight,
    PictureCropTop,
    PictureCropBottom,
    // int: twips of \trgaph and \trleft, kept on the table format.
    RowGap,
    RowLeft,
    // int: a list's first number when it is not 1, its word-processor level when deeper than 1,
    // and which word-processor list it numbers on (RtfListFormat::listId).
    ListStart,
    ListLevel,
    // QByteArray: the leader of each of the block's tab stops, one byte each (TabStop::Leader),
    // set when one has a leader.
    TabLeaders,
    // QList<int>: twips of the block's bar tabs.
    BarTabs,
    // bool: a run marked right to left (\rtlch); Qt orders runs by their characters alone.
    RightToLeftRun,
    // int: a run's Windows language identifier (\langN), when the file gave one.
    Language,
    // int: the document's default language and that of its East Asian text (\deflangN,
    // \deflangfeN), kept on the root frame's format when the file gave them.
    DefaultLanguage,
    DefaultFarEastLanguage,
    ListId,
    // int: the \fcharset of a run's font when it is not 0 (RtfCharacterFormat::charset).
    FontCharset,
    // QList<int>: each row's \trrh in twips, on the table format when a row has a height.
    RowHeights,
    // A cell's shading as read: QColor \clcbpat and \clcfpat, int \clshdng.
    CellBackground,
    CellPattern,
    CellShading,
    // Borders, three properties each (RtfBorder::store): a cell's four sides on its format,
    // then the six of the table's rows (\trbrdrt ... \trbrdrv) on the table format.
    CellBorders,
    RowBorders = CellBorders + 3 * 4,
    // QString: a list's \listname, on the list format when the file gave one.
    ListName = RowBorders + 3 * 6,
    // QString: RtfListFormat::outerNumbers, on the list format of a level that shows them.
    ListOuterNumbers,
};

// Object types of the inline objects a description holds besides pictures.
enum : int {
    HiddenTextObject = QTextFormat::UserObject + 0x5254,
};

} // namespace RtfProperty
