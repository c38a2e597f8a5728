#include "pad/PadFields.h"

namespace PadFields {

namespace {

const QString web = QStringLiteral("(http|https)://.{2,120}");
const QString anyWeb = QStringLiteral("((http|https)://.{2,120})?");
const QString picture = QStringLiteral("(http|https)://.{2,120}\\.(gif|jpg|png)");
const QString download = QStringLiteral("(http|https|ftp)://.{2,120}");
const QString anyDownload = QStringLiteral("((http|https|ftp)://.{2,120})?");

} // namespace

const std::vector<Field> &programFields()
{
    static const std::vector<Field> fields = {
        {QStringLiteral("MASTER_PAD_VERSION_INFO/MASTER_PAD_VERSION"), 10, QStringLiteral("[34]\\.[0-9]+"), true},
        {QStringLiteral("Company_Info/Company_Name"), 40, QStringLiteral("[^<\\t]{2,40}"), true},
        {QStringLiteral("Company_Info/Company_WebSite_URL"), 122, web},
        {QStringLiteral("Program_Info/Program_Name"), 40, QStringLiteral("[^<\\t]{1,40}"), true},
        {QStringLiteral("Program_Info/Program_Version"), 15, QStringLiteral("[a-zA-Z0-9_.\\-]{1,15}")},
        {QStringLiteral("Program_Info/Program_Release_Month"), 2, QStringLiteral("(0[1-9]|1[0-2])")},
        {QStringLiteral("Program_Info/Program_Release_Day"), 2, QStringLiteral("(0[1-9]|[12][0-9]|3[01])")},
        {QStringLiteral("Program_Info/Program_Release_Year"), 4, QStringLiteral("(19|20|21)[0-9]{2}")},
        {QStringLiteral("Program_Info/Program_Type"), 10,
         QStringLiteral("(Shareware|Freeware|Adware|Demo|Commercial|Data Only)"), true},
        {QStringLiteral("Program_Info/Program_Category_Class"), 80, QString(), true},
        {QStringLiteral("Program_Info/File_Info/File_Size_Bytes"), 16, QStringLiteral("[0-9]{3,16}")},
        {QStringLiteral("Web_Info/Application_URLs/Application_Info_URL"), 122, web, true},
        {QStringLiteral("Web_Info/Application_URLs/Application_Screenshot_URL"), 130, picture},
        {QStringLiteral("Web_Info/Application_URLs/Application_Icon_URL"), 130, picture},
        {QStringLiteral("Web_Info/Download_URLs/Primary_Download_URL"), 126, download, true},
        {QStringLiteral("Web_Info/Download_URLs/Secondary_Download_URL"), 126, anyDownload},
        {QStringLiteral("Web_Info/Download_URLs/Additional_Download_URL_1"), 126, anyDownload},
        {QStringLiteral("Web_Info/Download_URLs/Additional_Download_URL_2"), 126, anyDownload},
        {QStringLiteral("Web_Info/Application_URLs/Application_Order_URL"), 122, anyWeb},
        {QStringLiteral("Permissions/Distribution_Permissions"), 2000, QStringLiteral("[^<]*")},
        {QStringLiteral("Permissions/EULA"), 20000, QStringLiteral("[^<]*")},
    };
    return fields;
}

const std::vector<Field> &descriptionFields()
{
    // Only the longest description may run over several lines.
    static const std::vector<Field> fields = {
        {QStringLiteral("Keywords"), 250, QStringLiteral("[^<\\t]*")},
        {QStringLiteral("Char_Desc_45"), 45, QStringLiteral("[^<\\t\\n\\r]*")},
        {QStringLiteral("Char_Desc_80"), 80, QStringLiteral("[^<\\t\\n\\r]*")},
        {QStringLiteral("Char_Desc_250"), 250, QStringLiteral("[^<\\t\\n\\r]*")},
        {QStringLiteral("Char_Desc_450"), 450, QStringLiteral("[^<\\t\\n\\r]*")},
        {QStringLiteral("Char_Desc_2000"), 2000, QStringLiteral("[^<]*")},
    };
    return fields;
}

QString descriptionPath(const QString &language, int length)
{
    return descriptionsGroup + QLatin1Char('/') + language + QStringLiteral("/Char_Desc_") + QString::number(length);
}

} // namespace PadFields
