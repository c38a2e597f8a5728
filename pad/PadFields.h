#pragma once

#include <QString>

#include <vector>

// The fields of a program description file this editor reads and checks, with the format's own
// rule for each: at most so many characters and, where the format gives one, the pattern the
// whole value must match. Paths leave out the root element XML_DIZ_INFO.
namespace PadFields {

struct Field {
    QString path;
    int maximum; // characters
    QString pattern; // empty where only the length counts
    bool required = false;
};

// The fields outside the descriptions.
const std::vector<Field> &programFields();
// The fields of one language's block of descriptions, as paths below it ("Char_Desc_250").
const std::vector<Field> &descriptionFields();

inline const QString descriptionsGroup = QStringLiteral("Program_Descriptions");
// The descriptions of a language by their length, longest last.
inline constexpr int descriptionLengths[] = {45, 80, 250, 450, 2000};
QString descriptionPath(const QString &language, int length);

} // namespace PadFields
