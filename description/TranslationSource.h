#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The Danish text a translation was written against, kept in the translation's own file as an
// ignorable RTF destination, {\*\zcdkilde <hex of its UTF-8>}, which the rich-edit control, word
// processors and our own reader pass over: the file shows exactly what it showed without it.
// A translation whose recorded Danish words differ from the Danish description's words now has
// fallen behind; formatting alone changes no word.
namespace TranslationSource {

// A description's text as compared: its words, one space between each.
QString words(const QString &plainText);

// The words of the Danish description in an item's folder as it is stored; none where there is
// none that can be read.
std::optional<QString> danishWordsIn(const QString &folder);

// The Danish words recorded in the file; none where there are none, or none that can be read.
std::optional<QString> read(const QByteArray &rtf);

// The file with these Danish words recorded, in place of any recorded before, just inside its
// last closing brace; a file that is no RTF is given back as it is.
QByteArray recorded(const QByteArray &rtf, const QString &danishWords);

} // namespace TranslationSource
