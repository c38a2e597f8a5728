#pragma once

#include <QByteArray>
#include <QTextImageFormat>

class QTextDocument;
class RtfTokenizer;

// A \pict in RTF terms: its data exactly as the file held it, the word naming its kind and its
// sizes. Reader and writer both convert through this one type, so a picture goes back byte for
// byte even where Qt cannot draw it (metafiles).
struct RtfPicture {
    QByteArray data;
    QByteArray type; // "pngblip", "jpegblip", "emfblip", "wmetafile8"...
    int width = 0; // \picw, \pich: pixels, or 0.01 mm for metafiles
    int height = 0;
    int goalWidth = 0; // \picwgoal, \pichgoal: twips; 0 when not given
    int goalHeight = 0;
    int scaleX = 100; // percent
    int scaleY = 100;
    int cropLeft = 0; // \piccropl, \piccropr, \piccropt, \piccropb: twips cut off each edge
    int cropRight = 0;
    int cropTop = 0;
    int cropBottom = 0;

    // Reads a \pict group from just after its word: the data as hexadecimal digits or \bin.
    static RtfPicture read(RtfTokenizer &tokenizer, int unicodeFallbackLength);

    // The kinds whose type word takes a number.
    static bool typeTakesNumber(QByteArrayView word);

    // Adds the picture to the document's resources and gives the format that shows it. The
    // resource is named after the data, so a picture pasted from elsewhere meets no other.
    QTextImageFormat toImageFormat(QTextDocument &document) const;
    // A picture read from a file keeps its data; one Qt placed (pasted) is written as PNG.
    static RtfPicture fromImageFormat(const QTextImageFormat &format, const QTextDocument &document);
};
