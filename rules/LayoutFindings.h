#pragma once

class ProfileText;
struct CatalogueReport;

// What the editor's reader passes over in the catalogue, or reads otherwise than the file looks:
// a second section or key of one name (only the first counts), lines without '=', sections that
// look like items but are not numbered 1 to 70, and known keys spelled in another letter case.
namespace LayoutFindings {

// Adds them to the report's items (found by number) and to the catalogue's own findings.
void add(const ProfileText &catalogue, CatalogueReport &report);

} // namespace LayoutFindings
