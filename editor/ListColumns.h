#pragma once

class QTreeWidget;

// The columns of the search and history lists: fitted to what they show the first time there is
// something to show, a long title held to a third of the width so the last column stays in view,
// and from then on as the user sizes them.
namespace ListColumns {

// Fits the columns before lastColumn, once the list has rows; does nothing after that.
void fitOnce(QTreeWidget &list, int titleColumn, int lastColumn);

} // namespace ListColumns
