#pragma once

#include <QString>

// The instruction of a HYPERLINK field, as rich-edit controls and word processors write it:
// HYPERLINK "target", or HYPERLINK \l "bookmark" for a place in the document itself.
namespace HyperlinkField {

// The link target; empty when the instruction is no hyperlink.
QString target(QStringView instruction);
QString instruction(const QString &target);

} // namespace HyperlinkField
