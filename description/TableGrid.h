#pragma once

#include "description/RtfRowFormat.h"

#include <QList>

class QTextTable;

// Gives a table read row by row what its rows' definitions say once all its rows are in: cells
// on one grid of all the rows' cell edges (word processors write a cell merged across as one
// wide cell, so rows differ in their cells), their borders and shading, the merges across and
// down, and the rows' heights.
namespace TableGrid {

// rows holds each row's definition by row; a row without one keeps its cells as they are.
void arrange(QTextTable &table, const QList<RtfRowFormat> &rows);

} // namespace TableGrid
