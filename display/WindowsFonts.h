#pragma once

// Captions and titles were laid out for Windows fonts. They are drawn and measured with their
// metric-compatible stand-ins, so a caption fits the box it was designed for and a title measures
// the same wherever it is measured.
namespace WindowsFonts {

// Registers the stand-ins with Qt's font substitution; calling it again changes nothing.
void useStandIns();

} // namespace WindowsFonts
