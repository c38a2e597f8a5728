#include "pad/PadReader.h"

#include "pad/PadFields.h"
#include "pad/PadText.h"

#include <QFile>
#include <QSet>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <memory>

namespace PadReader {

namespace {

const char rootName[] = "XML_DIZ_INFO";

QString nameOf(const xmlNode *node) { return QString::fromUtf8(reinterpret_cast<const char *>(node->name)); }

// Each field outside the descriptions has a name of its own; its path is looked up by it, so a
// field the parser's repair moved under another element is still found.
const QHash<QString, QString> &pathsByName()
{
    static const QHash<QString, QString> paths = [] {
        QHash<QString, QString> byName;
        for (const PadFields::Field &field : PadFields::programFields())
            byName.insert(field.path.section(QLatin1Char('/'), -1), field.path);
        return byName;
    }();
    return paths;
}

// The elements that group the fields outside the descriptions.
const QSet<QString> &groupNames()
{
    static const QSet<QString> names = [] {
        QSet<QString> groups = {QStringLiteral("Contact_Info"), QStringLiteral("Support_Info"),
                                QStringLiteral("Expire_Info"),  QStringLiteral("Press_Release"),
                                QStringLiteral("Affiliates"),   QStringLiteral("ASP"),
                                QStringLiteral("NewsFeed")};
        for (const PadFields::Field &field : PadFields::programFields()) {
            const QStringList path = field.path.split(QLatin1Char('/'));
            for (qsizetype i = 0; i + 1 < path.size(); ++i)
                groups.insert(path.at(i));
        }
        return groups;
    }();
    return names;
}

bool isDescriptionField(const QString &name)
{
    for (const PadFields::Field &field : PadFields::descriptionFields()) {
        if (field.path == name)
            return true;
    }
    return false;
}

// The element's own text, without that of elements an unclosed tag left inside it.
QString ownText(const xmlNode *element)
{
    QString text;
    for (const xmlNode *child = element->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            text += QString::fromUtf8(reinterpret_cast<const char *>(child->content));
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.trimmed();
}

class Walk {
public:
    explicit Walk(PadDocument &document)
        : document_(document)
    {
    }

    // A repair of an unclosed tag may put one language's block inside another's, or the rest of
    // the file inside the descriptions: an element of the file's own groups leaves them, and any
    // other element in them that is not a description is the block of a language.
    void visit(const xmlNode *element, bool inDescriptions, const QString &language)
    {
        for (const xmlNode *child = element->children; child; child = child->next) {
            if (child->type != XML_ELEMENT_NODE)
                continue;
            const QString name = nameOf(child);
            const auto programPath = pathsByName().constFind(name);
            if (groupNames().contains(name)) {
                visit(child, false, QString());
            } else if (name == PadFields::descriptionsGroup) {
                visit(child, true, QString());
            } else if (inDescriptions && isDescriptionField(name)) {
                if (!language.isEmpty())
                    keepDescription(language, name, child);
                visit(child, true, language);
            } else if (inDescriptions && programPath == pathsByName().constEnd()) {
                visit(child, true, name);
            } else {
                if (programPath != pathsByName().constEnd())
                    keep(*programPath, child);
                visit(child, inDescriptions, language);
            }
        }
    }

private:
    void keepDescription(const QString &language, const QString &name, const xmlNode *element)
    {
        if (!document_.languages.contains(language))
            document_.languages.append(language);
        keep(PadFields::descriptionsGroup + QLatin1Char('/') + language + QLatin1Char('/') + name, element);
    }

    void keep(const QString &path, const xmlNode *element)
    {
        if (document_.values.contains(path)) {
            document_.findings.push_back({QStringLiteral("duplicate-field"), path,
                                          QStringLiteral("Feltet står to gange; det første er læst."),
                                          int(xmlGetLineNo(element))});
            return;
        }
        document_.values.insert(path, ownText(element));
    }

    PadDocument &document_;
};

void collectError(void *findings, xmlErrorPtr error)
{
    QString message = QString::fromUtf8(error->message).trimmed();
    static_cast<std::vector<PadFinding> *>(findings)->push_back(
        {QStringLiteral("xml"), QString(), QStringLiteral("XML-fejl: %1; læst så godt, det kunne.").arg(message),
         error->line});
}

struct DocumentFree {
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};

} // namespace

PadDocument read(const QByteArray &bytes)
{
    PadDocument document;
    if (bytes.size() > maximumSize) {
        document.findings.push_back(
            {QStringLiteral("too-large"), QString(), QStringLiteral("Filen er for stor til at være en PAD-fil.")});
        return document;
    }
    PadText::Decoded decoded = PadText::decode(bytes);
    document.findings = std::move(decoded.findings);
    const QByteArray text = decoded.text.toUtf8();

    // libxml2's error handler is global to the thread; it is this parse's only while it runs.
    xmlSetStructuredErrorFunc(&document.findings, collectError);
    const std::unique_ptr<xmlDoc, DocumentFree> parsed(
        xmlReadMemory(text.constData(), int(text.size()), nullptr, "UTF-8",
                      XML_PARSE_RECOVER | XML_PARSE_NONET | XML_PARSE_NOWARNING));
    xmlSetStructuredErrorFunc(nullptr, nullptr);

    const xmlNode *root = parsed ? xmlDocGetRootElement(parsed.get()) : nullptr;
    if (!root || nameOf(root) != QLatin1String(rootName)) {
        document.findings.push_back(
            {QStringLiteral("not-pad"), QString(), QStringLiteral("Filen er ingen PAD-fil (intet XML_DIZ_INFO).")});
        return document;
    }
    document.readable = true;
    Walk(document).visit(root, false, QString());
    return document;
}

PadDocument readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PadDocument document;
        document.findings.push_back({QStringLiteral("unreadable"), QString(),
                                     QStringLiteral("Filen kan ikke læses: %1").arg(file.errorString())});
        return document;
    }
    return read(file.read(maximumSize + 1));
}

} // namespace PadReader
