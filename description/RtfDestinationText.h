#pragma once

#include <QByteArray>
#include <QString>

class CodePageDecoder;

// The text of a destination that collects it (a field's instruction, a list's number text or
// name): bytes are decoded in runs of one code page, so a double-byte character split over two
// \'hh is whole, and the characters of \uN and of words such as \tab come between the runs.
class RtfDestinationText {
public:
    explicit RtfDestinationText(CodePageDecoder &decoder);

    void appendBytes(QByteArrayView bytes, int codePage);
    void appendCharacter(char16_t character);
    // The text so far, which is then emptied.
    QString take();

private:
    void decodeBytes();

    CodePageDecoder &decoder_;
    QByteArray bytes_;
    int codePage_ = 0;
    QString text_;
};
