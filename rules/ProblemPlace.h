#pragma once

#include "catalogue/CatalogueKeys.h"
#include "description/DescriptionLanguage.h"
#include "rules/Problem.h"

#include <QString>

#include <optional>

// Where in the window a problem is seen and put right: the part of the item it is about and,
// for a description's problems, the language.
namespace ProblemPlace {

enum class Part { None, Title, Categories, Folder, Setup, Run, Extra, Screenshot, Icon, Description, Keys };

Part part(Problem::Kind kind);
// As the window's labels call it ("Titel", "Mappe"); empty for a problem of the whole catalogue.
QString partName(Part part);
// The single-line field that holds it, where one does.
std::optional<TextKey> field(Part part);
// The language a description's problem names; none for the others.
std::optional<DescriptionLanguage> language(const Problem &problem);

} // namespace ProblemPlace
