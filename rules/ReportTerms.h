#pragma once

#include "rules/ItemReport.h"

#include <QString>

// The words the reports use for states, one spelling for every report.
namespace ReportTerms {

// For scripts: "present", "missing", ...
QString code(FolderState state);
QString code(FileAvailability availability, bool named);
QString code(PictureReport::State state);
QString code(DescriptionReport::State state);

// For people, in Danish.
QString danish(FolderState state);
QString danish(FileAvailability availability, bool named);
QString danish(PictureReport::State state);
QString danish(DescriptionReport::State state);
QString fileRole(TextKey key); // "Installation", "Program", "Ekstra"
QString languageName(DescriptionLanguage language); // "Dansk" ...
QString languageAdjective(DescriptionLanguage language); // "danske" ...

} // namespace ReportTerms
