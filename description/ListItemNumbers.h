#pragma once

#include <QString>

class QTextBlock;

// The number a list item shows. Qt shows an item's own number only; a word-processor level may
// show the numbers of the outer levels of its list before its own ("1.2."), which are those of
// the nearest items of these levels before it.
namespace ListItemNumbers {

// Empty for a paragraph that is no list item and for bullets.
QString text(const QTextBlock &block);

} // namespace ListItemNumbers
