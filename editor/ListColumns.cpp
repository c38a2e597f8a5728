#include "editor/ListColumns.h"

#include <QTreeWidget>

namespace {

const char *const fittedProperty = "columnsFitted";
constexpr int titleShareOfWidth = 3;

} // namespace

namespace ListColumns {

void fitOnce(QTreeWidget &list, int titleColumn, int lastColumn)
{
    if (list.property(fittedProperty).toBool() || list.topLevelItemCount() == 0)
        return;
    list.setProperty(fittedProperty, true);
    for (int column = 0; column < lastColumn; ++column)
        list.resizeColumnToContents(column);
    const int widest = list.viewport()->width() / titleShareOfWidth;
    if (list.columnWidth(titleColumn) > widest)
        list.setColumnWidth(titleColumn, widest);
}

} // namespace ListColumns
