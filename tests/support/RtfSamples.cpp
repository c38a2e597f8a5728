#include "support/RtfSamples.h"

namespace RtfSamples {

QByteArray wordProcessorLists()
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
           "{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}"
           "\\fi-360\\li720}{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}\\fi-360"
           "\\li1440}{\\listname Trin;}\\listid7}{\\list\\listsimple1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}"
           "\\f1\\fi-360\\li720}\\listid8}}\r\n"
           "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}{\\listoverride\\listid7"
           "\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat1}\\ls2}"
           "{\\listoverride\\listid8\\listoverridecount0\\ls3}}\r\n"
           "\\pard\\fi-360\\li720\\ls1\\f0 three\\par\r\n"
           "\\pard\\fi-360\\li1440\\ls1\\ilvl1 three-a\\line broken\\par\r\n"
           "\\pard\\fi-360\\li1440\\ls1\\ilvl1 three-b\\par\r\n"
           "\\pard plain between\\par\r\n"
           "\\pard\\fi-360\\li720\\ls1 four\\par\r\n"
           "\\pard\\fi-360\\li720\\ls2 one again\\par\r\n"
           "\\pard\\fi-360\\li720\\ls3 bullet\\par\r\n}";
}

QByteArray fontCharacterSets()
{
    return "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}"
           "{\\f1\\fnil Tahoma;}{\\f2\\fnil\\fcharset2 Wingdings;}{\\f3\\fnil\\fcharset238 Arial CE;}}"
           "\\f0 \\'cf\\'f0\\'e8 \\'e6\\f1 \\'e6\\f2\\'80\\'9f\\'e6\\f3\\'f8 \\u230?}";
}

QByteArray raisedAndLoweredText()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\f0\\fs20 a{\\up6 b}{\\dn4 c}{\\super d}{\\sub e}"
           "{\\fs16\\up12 f}{\\up4 g}{\\sub\\fs30 h}{\\super\\up4 i}{\\sub\\dn2 j}\\par}";
}

QByteArray tableBordersShadingMerges()
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}"
           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\r\n"
           "\\trowd\\trgaph108\\trleft-108\\trrh400\\trbrdrt\\brdrs\\brdrw10\\trbrdrb\\brdrs\\brdrw10 "
           "\\clmgf\\clbrdrt\\brdrs\\brdrw20\\brdrcf1\\clbrdrb\\brdrdb\\brdrw15\\clcbpat3\\cellx2000\\clmrg\\cellx4000"
           "\\clvmgf\\clvertalc\\clbrdrl\\brdrdot\\brdrw10\\brdrcf2\\clcbpat2\\clshdng2500\\cellx6000\r\n"
           "\\pard\\intbl\\f0 wide\\cell\\cell tall\\cell\\row\r\n"
           "\\trowd\\trgaph108\\trleft-108\\trrh-600\\clvertalb\\cellx2000\\clcfpat1\\clshdng5000\\cellx4000\\clvmrg\\cellx6000\r\n"
           "\\pard\\intbl a\\cell b\\cell\\cell\\row\r\n"
           "\\pard after\\par}";
}

QByteArray nestedLevelNumbers()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
           "{\\*\\listtable{\\list\\listtemplateid1\r\n"
           "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\r\n"
           "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}"
           "\\fi-360\\li1440}\\listid1}}\r\n"
           "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\r\n"
           "\\pard\\ls1\\ilvl0 One\\par \\pard\\ls1\\ilvl1 One-one\\par \\pard\\ls1\\ilvl1 One-two\\par "
           "\\pard\\ls1\\ilvl0 Two\\par}";
}

QByteArray listAcrossTableCells()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
           "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
           "{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}\r\n"
           "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\r\n"
           "\\pard\\ls1 one\\par \\pard\\ls1 two\\par\r\n"
           "\\trowd\\cellx3000\\cellx6000 \\pard\\intbl\\ls1 three\\cell \\pard\\intbl\\ls1 four\\cell\\row\r\n"
           "\\pard\\ls1 five\\par}";
}

QByteArray listOverrideZero()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
           "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'00.;}"
           "{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}\r\n"
           "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls0}}\r\n"
           "\\pard{\\listtext 1.\\tab}\\ls0 One\\par \\pard{\\listtext 2.\\tab}\\ls0 Two\\par}";
}

QByteArray continuationParagraph()
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
           "\\pard{\\pntext I.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart1{\\pntxta .}}\\fi-720\\li720 Heading\\par\r\n"
           "\\pard{\\*\\pn\\pnlvlcont\\pndec}\\li720 Continuation, no number\\par\r\n"
           "\\pard{\\pntext II.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart2{\\pntxta .}}\\fi-720\\li720 Next\\par}";
}

namespace {

// One red pixel.
constexpr char redPixel[] = "{\\pict\\pngblip\\picw1\\pich1\\picwgoal300\\pichgoal300 "
                            "89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de0000000c49444154789c63f8"
                            "cfc0000003010100c9fe92ef0000000049454e44ae426082}";

} // namespace

QByteArray pictureInShapeResult()
{
    return QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
                      "\\pard before {\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 75}}}{\\shprslt ")
        + redPixel + "}} after\\par}";
}

QByteArray pictureInShapeProperty()
{
    return QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n"
                      "\\pard before {\\shp{\\*\\shpinst\\shpleft0\\shpright300{\\sp{\\sn shapeType}{\\sv 75}}"
                      "{\\sp{\\sn pib}{\\sv ")
        + redPixel + "}}}{\\shprslt{\\*\\do\\dobxcolumn\\dptxbx{\\dptxbxtext x}}}} after\\par}";
}

QList<Sample> all()
{
    return {
        {"word-processor lists", wordProcessorLists()},
        {"font character sets", fontCharacterSets()},
        {"raised and lowered text", raisedAndLoweredText()},
        {"table borders, shading, merged cells and row heights", tableBordersShadingMerges()},
        {"nested level numbers", nestedLevelNumbers()},
        {"list across table cells", listAcrossTableCells()},
        {"list override zero", listOverrideZero()},
        {"continuation paragraph", continuationParagraph()},
        {"picture in a shape's result", pictureInShapeResult()},
        {"picture in a shape's pib property", pictureInShapeProperty()},
    };
}

} // namespace RtfSamples
