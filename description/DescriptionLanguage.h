#pragma once

#include <QString>

#include <array>

// The four languages a description is written in, each a file in the item's folder. The names
// differ only in letter case between the places they are used; the file system is matched without
// regard to case, and a new file is created with the name exactly as it stands here.
enum class DescriptionLanguage : unsigned char { Dansk = 0, Norsk = 1, Svensk = 2, Finsk = 3 };

struct DescriptionLanguageInfo {
    DescriptionLanguage language;
    QString setting; // value of the catalogue's language setting that selects it
    QString startupFileName; // file name when chosen at start-up
    QString buttonFileName; // file name when chosen by its button
    QString shownTestedName; // tested for in the item's folder when an item is shown
    QString shownLoadedName; // loaded from the item's folder when an item is shown
    QString buttonLoadedName; // loaded from the item's folder when its button is clicked
    QString startupStatus; // status text at start-up; empty: the panel keeps its text
    QString buttonStatus; // status text set by the button
    int windowsLanguage; // Windows' identifier of the language, the tag of a new file
};

namespace DescriptionLanguages {

const std::array<DescriptionLanguageInfo, 4> &all();
const DescriptionLanguageInfo &info(DescriptionLanguage language);

// The language the catalogue's setting selects: an exact, case-sensitive match of "Norsk",
// "Svensk" or "Finsk"; anything else is Danish.
DescriptionLanguage fromSetting(const QString &setting);

} // namespace DescriptionLanguages
