#pragma once

#include "catalogue/CatalogueKeys.h"

#include <QString>

#include <optional>
#include <vector>

// The fixed list of program classes a program description file names its program by
// ("Games & Entertainment::Board"), and the catalogue's categories each class goes into. The
// editorial selection ZProgram is the team's own choice and never follows from a class.
namespace PadCategories {

struct ClassCategories {
    QString programClass;
    std::vector<Category> categories;
};

// All classes, in the list's own order.
const std::vector<ClassCategories> &all();

// The categories of a class spelled exactly as the list has it; nothing for any other text.
std::optional<std::vector<Category>> categoriesOf(const QString &programClass);

} // namespace PadCategories
