#include "catalogue/ProfileText.h"

#include <array>
#include <cstring>

namespace {

const QByteArray lineBreak = QByteArrayLiteral("\r\n");

bool isBlank(char byte) { return byte == ' ' || byte == '\t' || byte == '\v'; }

bool isLineBreak(char byte) { return byte == '\r' || byte == '\n'; }

// Windows folds names through Unicode, so the accented capitals of the code page match their small
// letters as well ("VÆRKSTED" finds "Værksted"), not just A-Z.
constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> fold{};
    for (int byte = 0; byte < 256; ++byte)
        fold[byte] = static_cast<unsigned char>(byte);
    for (int byte = 'A'; byte <= 'Z'; ++byte)
        fold[byte] = static_cast<unsigned char>(byte + 0x20);
    for (int byte = 0xC0; byte <= 0xDE; ++byte) {
        if (byte != 0xD7) // the multiplication sign has no small letter
            fold[byte] = static_cast<unsigned char>(byte + 0x20);
    }
    fold[0x8A] = 0x9A; // Š š
    fold[0x8C] = 0x9C; // Œ œ
    fold[0x8E] = 0x9E; // Ž ž
    fold[0x9F] = 0xFF; // Ÿ ÿ
    return fold;
}

constexpr std::array<unsigned char, 256> foldTable = makeFoldTable();

} // namespace

bool ProfileText::sameName(QByteArrayView stored, QByteArrayView wanted)
{
    if (stored.size() != wanted.size())
        return false;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (foldTable[static_cast<unsigned char>(stored[i])] != foldTable[static_cast<unsigned char>(wanted[i])])
            return false;
    }
    return true;
}

namespace {

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// Quotes are how a value keeps its outer blanks, so one matching pair around it is not part of it.
QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool hasLineBreak(QByteArrayView name) { return name.contains('\r') || name.contains('\n'); }

bool hasOuterBlank(QByteArrayView name) { return !name.isEmpty() && (isBlank(name.front()) || isBlank(name.back())); }

QByteArray keyLine(QByteArrayView key, QByteArrayView value)
{
    return key.toByteArray() + '=' + value.toByteArray() + lineBreak;
}

} // namespace

ProfileText::ProfileText(QByteArray bytes)
    : bytes_(std::move(bytes))
{
}

ProfileText::Line ProfileText::lineFrom(qsizetype begin) const
{
    const char *data = bytes_.constData();
    const qsizetype size = bytes_.size();
    qsizetype end = begin;
    while (end < size && !isLineBreak(data[end]))
        ++end;
    qsizetype next = end;
    if (next < size)
        next += (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n') ? 2 : 1;
    return Line{begin, end, next};
}

// The start of the first header line at or after from, which must be the start of a line. Only
// the '[' bytes are visited: one counts when nothing but blanks stands between it and the line start.
qsizetype ProfileText::nextHeaderLine(qsizetype from) const
{
    const char *data = bytes_.constData();
    const qsizetype size = bytes_.size();
    while (from < size) {
        const void *found = std::memchr(data + from, '[', size_t(size - from));
        if (!found)
            break;
        const qsizetype bracket = static_cast<const char *>(found) - data;
        qsizetype begin = bracket;
        while (begin > from && isBlank(data[begin - 1]))
            --begin;
        if (begin == 0 || isLineBreak(data[begin - 1]))
            return begin;
        from = bracket + 1;
    }
    return size;
}

// The name runs to the first ']', or to the line's end when there is none.
QByteArrayView ProfileText::headerName(const Line &header) const
{
    const QByteArrayView line = QByteArrayView(bytes_).sliced(header.begin, header.end - header.begin);
    const qsizetype bracket = line.indexOf('[');
    const qsizetype close = line.indexOf(']', bracket + 1);
    return trimmed(line.sliced(bracket + 1, (close < 0 ? line.size() : close) - bracket - 1));
}

std::optional<ProfileText::Section> ProfileText::findSection(QByteArrayView name) const
{
    const QByteArrayView text(bytes_);
    for (qsizetype begin = nextHeaderLine(0); begin < text.size();) {
        const Line header = lineFrom(begin);
        const qsizetype bodyEnd = nextHeaderLine(header.next);
        if (sameName(headerName(header), name))
            return Section{header, bodyEnd};
        begin = bodyEnd;
    }
    return std::nullopt;
}

std::optional<ProfileText::KeyLine> ProfileText::keyLineIn(const Line &line) const
{
    const char *data = bytes_.constData();
    qsizetype first = line.begin;
    while (first < line.end && isBlank(data[first]))
        ++first;
    if (first == line.end || data[first] == ';')
        return std::nullopt;
    const void *equals = std::memchr(data + first, '=', size_t(line.end - first));
    if (!equals)
        return std::nullopt;
    return KeyLine{line, static_cast<const char *>(equals) - data};
}

// Calls visit for each key line of the section until it returns false.
template <typename Visit>
void ProfileText::forEachKeyLine(const Section &section, Visit visit) const
{
    for (qsizetype begin = section.header.next; begin < section.bodyEnd;) {
        const Line line = lineFrom(begin);
        if (const std::optional<KeyLine> key = keyLineIn(line); key && !visit(*key))
            return;
        begin = line.next;
    }
}

std::optional<ProfileText::KeyLine> ProfileText::findKey(const Section &section, QByteArrayView name) const
{
    const QByteArrayView text(bytes_);
    std::optional<KeyLine> found;
    forEachKeyLine(section, [&](const KeyLine &key) {
        if (sameName(trimmed(text.sliced(key.line.begin, key.equals - key.line.begin)), name))
            found = key;
        return !found;
    });
    return found;
}

std::optional<QByteArrayView> ProfileText::value(QByteArrayView section, QByteArrayView key) const
{
    const std::optional<QByteArrayView> stored = storedValue(section, key);
    if (!stored)
        return std::nullopt;
    return unquoted(*stored);
}

std::optional<QByteArrayView> ProfileText::storedValue(QByteArrayView section, QByteArrayView key) const
{
    const std::optional<Section> found = findSection(section);
    if (!found)
        return std::nullopt;
    const std::optional<KeyLine> line = findKey(*found, key);
    if (!line)
        return std::nullopt;
    const QByteArrayView text(bytes_);
    return trimmed(text.sliced(line->equals + 1, line->line.end - line->equals - 1));
}

bool ProfileText::hasKeys(QByteArrayView section) const
{
    const std::optional<Section> found = findSection(section);
    bool any = false;
    if (found) {
        forEachKeyLine(*found, [&](const KeyLine &) {
            any = true;
            return false;
        });
    }
    return any;
}

QList<QByteArray> ProfileText::keyNames(QByteArrayView section) const
{
    QList<QByteArray> names;
    if (const std::optional<Section> found = findSection(section)) {
        const QByteArrayView text(bytes_);
        forEachKeyLine(*found, [&](const KeyLine &key) {
            names.append(trimmed(text.sliced(key.line.begin, key.equals - key.line.begin)).toByteArray());
            return true;
        });
    }
    return names;
}

QList<ProfileText::SectionLines> ProfileText::sections() const
{
    const QByteArrayView text(bytes_);
    QList<SectionLines> sections;
    for (qsizetype begin = nextHeaderLine(0); begin < text.size();) {
        const Line header = lineFrom(begin);
        const qsizetype bodyEnd = nextHeaderLine(header.next);
        SectionLines lines{headerName(header).toByteArray(), {}, {}};
        for (qsizetype lineBegin = header.next; lineBegin < bodyEnd;) {
            const Line line = lineFrom(lineBegin);
            const QByteArrayView content = trimmed(text.sliced(line.begin, line.end - line.begin));
            if (const std::optional<KeyLine> key = keyLineIn(line))
                lines.keys.append(trimmed(text.sliced(line.begin, key->equals - line.begin)).toByteArray());
            else if (!content.isEmpty() && content.front() != ';')
                lines.linesWithoutEquals.append(content.toByteArray());
            lineBegin = line.next;
        }
        sections.append(lines);
        begin = bodyEnd;
    }
    return sections;
}

std::optional<QByteArray> ProfileText::withValue(QByteArrayView section, QByteArrayView key, QByteArrayView value) const
{
    const std::optional<Section> found = findSection(section);
    if (!found) {
        QByteArray edited = bytes_;
        if (!edited.isEmpty() && !isLineBreak(edited.back()))
            edited += lineBreak;
        return edited + '[' + section.toByteArray() + ']' + lineBreak + keyLine(key, value);
    }

    if (const std::optional<KeyLine> existing = findKey(*found, key)) {
        // A value that starts with blanks replaces everything after the '=', as Windows writes it;
        // kept in front of it, the line's own blanks would pile up with every write of that value.
        qsizetype valueBegin = existing->equals + 1;
        const bool valueKeepsOwnBlanks = !value.isEmpty() && isBlank(value.front());
        while (!valueKeepsOwnBlanks && valueBegin < existing->line.end && isBlank(bytes_[valueBegin]))
            ++valueBegin;
        const QByteArrayView old = QByteArrayView(bytes_).sliced(valueBegin, existing->line.end - valueBegin);
        if (old == value)
            return std::nullopt;
        const bool lastLineUnended = existing->line.end == existing->line.next;
        QByteArray edited = bytes_;
        edited.replace(valueBegin, existing->line.end - valueBegin, value.toByteArray());
        if (lastLineUnended)
            edited += lineBreak;
        return edited;
    }

    Line anchor = found->header;
    forEachKeyLine(*found, [&](const KeyLine &line) {
        anchor = line.line;
        return true;
    });
    QByteArray inserted = keyLine(key, value);
    if (anchor.end == anchor.next)
        inserted.prepend(lineBreak);
    return QByteArray(bytes_).insert(anchor.next, inserted);
}

std::optional<QByteArray> ProfileText::withoutKey(QByteArrayView section, QByteArrayView key) const
{
    const std::optional<Section> found = findSection(section);
    const std::optional<KeyLine> line = found ? findKey(*found, key) : std::nullopt;
    if (!line)
        return std::nullopt;
    return QByteArray(bytes_).remove(line->line.begin, line->line.next - line->line.begin);
}

std::optional<QByteArray> ProfileText::withoutSection(QByteArrayView section) const
{
    const std::optional<Section> found = findSection(section);
    if (!found)
        return std::nullopt;
    const QByteArrayView text(bytes_);
    QByteArray edited;
    edited.reserve(bytes_.size());
    edited += text.first(found->header.begin);
    qsizetype kept = found->header.next;
    forEachKeyLine(*found, [&](const KeyLine &key) {
        edited += text.sliced(kept, key.line.begin - kept);
        kept = key.line.next;
        return true;
    });
    edited += text.sliced(kept);
    return edited;
}

std::optional<QByteArray> ProfileText::withSectionFrom(const ProfileText &source, QByteArrayView section) const
{
    return withSectionFrom(source, section, section);
}

std::optional<QByteArray> ProfileText::withSectionFrom(const ProfileText &source, QByteArrayView section,
                                                       QByteArrayView target) const
{
    const std::optional<Section> from = source.findSection(section);
    if (!from)
        return withoutSection(target);
    // The source's header line, under the target's name where that is another.
    const qsizetype headerLength = from->header.end - from->header.begin;
    QByteArray block = QByteArrayView(source.bytes_)
                           .sliced(from->header.begin + headerLength, from->bodyEnd - from->header.end)
                           .toByteArray();
    block.prepend(target == section
                      ? QByteArrayView(source.bytes_).sliced(from->header.begin, headerLength).toByteArray()
                      : '[' + target.toByteArray() + ']');
    if (!block.endsWith('\n') && !block.endsWith('\r'))
        block += "\r\n";
    const std::optional<Section> here = findSection(target);
    QByteArray edited = bytes_;
    if (here) {
        edited.replace(here->header.begin, here->bodyEnd - here->header.begin, block);
    } else {
        if (!edited.isEmpty() && !edited.endsWith('\n') && !edited.endsWith('\r'))
            edited += "\r\n";
        edited += block;
    }
    if (edited == bytes_)
        return std::nullopt;
    return edited;
}

bool ProfileText::canHoldSectionName(QByteArrayView name)
{
    return !name.contains(']') && !hasLineBreak(name) && !hasOuterBlank(name);
}

bool ProfileText::canHoldKeyName(QByteArrayView name)
{
    const bool startsLikeAnotherLine = !name.isEmpty() && (name.front() == ';' || name.front() == '[');
    return !startsLikeAnotherLine && !name.contains('=') && !hasLineBreak(name) && !hasOuterBlank(name);
}
