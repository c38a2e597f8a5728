#include "description/RtfShapeInstructions.h"

#include "description/RtfGroupReader.h"
#include "description/RtfWords.h"

#include <utility>
#include <vector>

namespace {

constexpr qsizetype maximumNameLength = 64;

// Only the groups that lead to the picture are read: the rest is passed over, groups and all,
// and only a word that opens a group counts.
class ShapeInstructionsReader : public RtfGroupReader::Handler {
public:
    ShapeInstructionsReader(RtfTokenizer &tokenizer, int unicodeFallbackLength, QStringList &notKept)
        : tokenizer_(tokenizer)
        , unicodeFallbackLength_(unicodeFallbackLength)
        , notKept_(notKept)
    {
    }

    RtfPicture picture;

    Answer word(const RtfTokenizer::Token &token) override
    {
        if (!std::exchange(opening_, false))
            return Answer::Taken;
        const QByteArrayView word = token.text;
        if (word == "shptxt") {
            // The text of a text box.
            RtfGroupReader::noteNotKept(notKept_, word);
            return Answer::SkipGroup;
        }
        Part &part = parts_.back();
        if (part == Part::Instructions && word == "sp") {
            part = Part::Property;
            name_.clear();
        } else if (part == Part::Property && word == "sn") {
            part = Part::Name;
        } else if (part == Part::Property && word == "sv" && name_ == u"pib") {
            part = Part::Value;
        } else if (part == Part::Value && word == RtfWord::pict) {
            RtfPicture read = RtfPicture::read(tokenizer_, unicodeFallbackLength_);
            if (!read.data.isEmpty() && !read.type.isEmpty())
                picture = std::move(read);
            return Answer::GroupRead;
        } else {
            return Answer::SkipGroup;
        }
        return Answer::Taken;
    }

    void text(QByteArrayView bytes) override
    {
        opening_ = false;
        if (parts_.back() == Part::Name && name_.size() < maximumNameLength)
            name_.append(QString::fromLatin1(bytes).trimmed());
    }

    void character(char16_t) override { opening_ = false; }

    void groupStart() override
    {
        parts_.push_back(parts_.back());
        opening_ = true;
    }

    void groupEnd(bool) override
    {
        parts_.pop_back();
        opening_ = false;
    }

private:
    enum class Part { Instructions, Property, Name, Value };

    RtfTokenizer &tokenizer_;
    const int unicodeFallbackLength_;
    QStringList &notKept_;
    std::vector<Part> parts_{Part::Instructions};
    bool opening_ = false;
    QString name_;
};

} // namespace

RtfPicture RtfShapeInstructions::readPicture(RtfTokenizer &tokenizer, int unicodeFallbackLength, QStringList &notKept)
{
    ShapeInstructionsReader reader(tokenizer, unicodeFallbackLength, notKept);
    RtfGroupReader::read(tokenizer, reader, unicodeFallbackLength, &notKept);
    return std::move(reader.picture);
}
