#pragma once

#include "description/RtfKeywords.h"
#include "description/RtfRowFormat.h"

#include <vector>

class RtfColorTable;

// The row definitions being read, one for each table depth: \trowd starts the one of the
// paragraph's depth, and the words after it up to each \cellx describe that cell.
class RtfRowDefinitions {
public:
    static constexpr int maximumTableDepth = 8;

    RtfRowDefinitions();

    // Applies a word of a row's definition; tableDepth is that of the paragraph it stands in.
    void apply(RtfKeyword::Row word, int value, int parameter, int tableDepth, const RtfColorTable &colors);
    // The border words that follow a paragraph's own border or its defaults are not a row's.
    void forgetBorder() { borderTarget_ = {}; }

    const RtfRowFormat &row(int depth) const { return rows_[depth]; }
    // The definition of a row that ended, after which the depth starts afresh.
    RtfRowFormat take(int depth);

private:
    RtfBorder *targetBorder();

    std::vector<RtfRowFormat> rows_;
    int rowDepth_ = 1;
    RtfCellFormat nextCell_; // the words before the next \cellx
    // The border that \brdrs, \brdrw and \brdrcf describe: the last one a \trbrdr or \clbrdr named.
    struct BorderTarget {
        enum Owner { None, Row, Cell } owner = None;
        int side = 0;
    } borderTarget_;
};
