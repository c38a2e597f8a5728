#pragma once

#include "description/RtfPicture.h"

#include <QStringList>

class RtfTokenizer;

// A shape's instructions (\shpinst): its properties (\sp), each a name (\sn) and a value (\sv).
// Where the shape stands and how text flows around it a description does not hold; of all of
// it only the picture of a picture frame (the property pib) is read.
class RtfShapeInstructions {
public:
    // Reads a \shpinst group from just after its word; no data when it holds no picture.
    static RtfPicture readPicture(RtfTokenizer &tokenizer, int unicodeFallbackLength, QStringList &notKept);
};
