#pragma once

// The control words the writer writes, spelled once: the reader's keyword table, the writer and
// the picture kinds name them from here. Each constant is named as its word.
namespace RtfWord {

// The document, its font and colour tables.
inline constexpr char rtf[] = "rtf";
inline constexpr char ansi[] = "ansi";
inline constexpr char ansicpg[] = "ansicpg";
inline constexpr char deff[] = "deff";
inline constexpr char deflang[] = "deflang";
inline constexpr char deflangfe[] = "deflangfe";
inline constexpr char nouicompat[] = "nouicompat";
inline constexpr char viewkind[] = "viewkind";
inline constexpr char uc[] = "uc";
inline constexpr char generator[] = "generator";
inline constexpr char fonttbl[] = "fonttbl";
inline constexpr char f[] = "f";
inline constexpr char fnil[] = "fnil";
inline constexpr char fcharset[] = "fcharset";
inline constexpr char colortbl[] = "colortbl";
inline constexpr char red[] = "red";
inline constexpr char green[] = "green";
inline constexpr char blue[] = "blue";

// Characters.
inline constexpr char b[] = "b";
inline constexpr char i[] = "i";
inline constexpr char strike[] = "strike";
inline constexpr char caps[] = "caps";
inline constexpr char scaps[] = "scaps";
inline constexpr char v[] = "v";
inline constexpr char rtlch[] = "rtlch";
inline constexpr char ltrch[] = "ltrch";
inline constexpr char super[] = "super";
inline constexpr char sub[] = "sub";
inline constexpr char nosupersub[] = "nosupersub";
inline constexpr char up[] = "up";
inline constexpr char dn[] = "dn";
inline constexpr char cf[] = "cf";
inline constexpr char highlight[] = "highlight";
inline constexpr char fs[] = "fs";
inline constexpr char lang[] = "lang";
inline constexpr char u[] = "u";
inline constexpr char tab[] = "tab";
inline constexpr char line[] = "line";

// Paragraphs.
inline constexpr char par[] = "par";
inline constexpr char pard[] = "pard";
inline constexpr char fi[] = "fi";
inline constexpr char li[] = "li";
inline constexpr char ri[] = "ri";
inline constexpr char sb[] = "sb";
inline constexpr char sa[] = "sa";
inline constexpr char sl[] = "sl";
inline constexpr char slmult[] = "slmult";
inline constexpr char qc[] = "qc";
inline constexpr char qr[] = "qr";
inline constexpr char qj[] = "qj";
inline constexpr char rtlpar[] = "rtlpar";
inline constexpr char tx[] = "tx";
inline constexpr char tb[] = "tb";
inline constexpr char tqc[] = "tqc";
inline constexpr char tqr[] = "tqr";
inline constexpr char tqdec[] = "tqdec";
inline constexpr char tldot[] = "tldot";
inline constexpr char tlmdot[] = "tlmdot";
inline constexpr char tlhyph[] = "tlhyph";
inline constexpr char tlul[] = "tlul";
inline constexpr char tlth[] = "tlth";
inline constexpr char tleq[] = "tleq";

// Tables.
inline constexpr char trowd[] = "trowd";
inline constexpr char trgaph[] = "trgaph";
inline constexpr char trleft[] = "trleft";
inline constexpr char trrh[] = "trrh";
inline constexpr char trbrdrt[] = "trbrdrt";
inline constexpr char trbrdrl[] = "trbrdrl";
inline constexpr char trbrdrb[] = "trbrdrb";
inline constexpr char trbrdrr[] = "trbrdrr";
inline constexpr char trbrdrh[] = "trbrdrh";
inline constexpr char trbrdrv[] = "trbrdrv";
inline constexpr char cellx[] = "cellx";
inline constexpr char clbrdrt[] = "clbrdrt";
inline constexpr char clbrdrl[] = "clbrdrl";
inline constexpr char clbrdrb[] = "clbrdrb";
inline constexpr char clbrdrr[] = "clbrdrr";
inline constexpr char brdrw[] = "brdrw";
inline constexpr char brdrcf[] = "brdrcf";
inline constexpr char clcbpat[] = "clcbpat";
inline constexpr char clcfpat[] = "clcfpat";
inline constexpr char clshdng[] = "clshdng";
inline constexpr char clmgf[] = "clmgf";
inline constexpr char clmrg[] = "clmrg";
inline constexpr char clvmgf[] = "clvmgf";
inline constexpr char clvmrg[] = "clvmrg";
inline constexpr char clvertalc[] = "clvertalc";
inline constexpr char clvertalb[] = "clvertalb";
inline constexpr char intbl[] = "intbl";
inline constexpr char itap[] = "itap";
inline constexpr char cell[] = "cell";
inline constexpr char row[] = "row";
inline constexpr char nestcell[] = "nestcell";
inline constexpr char nestrow[] = "nestrow";
inline constexpr char nesttableprops[] = "nesttableprops";
inline constexpr char nonesttables[] = "nonesttables";

// Lists: rich-edit numbering and word processors' list tables.
inline constexpr char pn[] = "pn";
inline constexpr char pntext[] = "pntext";
inline constexpr char pnlvl[] = "pnlvl";
inline constexpr char pnlvlbody[] = "pnlvlbody";
inline constexpr char pnlvlblt[] = "pnlvlblt";
inline constexpr char pnf[] = "pnf";
inline constexpr char pnindent[] = "pnindent";
inline constexpr char pnstart[] = "pnstart";
inline constexpr char pndec[] = "pndec";
inline constexpr char pnlcltr[] = "pnlcltr";
inline constexpr char pnucltr[] = "pnucltr";
inline constexpr char pnlcrm[] = "pnlcrm";
inline constexpr char pnucrm[] = "pnucrm";
inline constexpr char pntxtb[] = "pntxtb";
inline constexpr char pntxta[] = "pntxta";
inline constexpr char listtable[] = "listtable";
inline constexpr char list[] = "list";
inline constexpr char listtemplateid[] = "listtemplateid";
inline constexpr char listsimple[] = "listsimple";
inline constexpr char listlevel[] = "listlevel";
inline constexpr char levelnfc[] = "levelnfc";
inline constexpr char levelnfcn[] = "levelnfcn";
inline constexpr char leveljc[] = "leveljc";
inline constexpr char leveljcn[] = "leveljcn";
inline constexpr char levelfollow[] = "levelfollow";
inline constexpr char levelstartat[] = "levelstartat";
inline constexpr char leveltext[] = "leveltext";
inline constexpr char levelnumbers[] = "levelnumbers";
inline constexpr char lin[] = "lin";
inline constexpr char listname[] = "listname";
inline constexpr char listid[] = "listid";
inline constexpr char listoverridetable[] = "listoverridetable";
inline constexpr char listoverride[] = "listoverride";
inline constexpr char listoverridecount[] = "listoverridecount";
inline constexpr char ls[] = "ls";
inline constexpr char ilvl[] = "ilvl";

// Fields and pictures.
inline constexpr char field[] = "field";
inline constexpr char fldinst[] = "fldinst";
inline constexpr char fldrslt[] = "fldrslt";
inline constexpr char pict[] = "pict";
inline constexpr char picw[] = "picw";
inline constexpr char pich[] = "pich";
inline constexpr char picwgoal[] = "picwgoal";
inline constexpr char pichgoal[] = "pichgoal";
inline constexpr char picscalex[] = "picscalex";
inline constexpr char picscaley[] = "picscaley";
inline constexpr char piccropl[] = "piccropl";
inline constexpr char piccropr[] = "piccropr";
inline constexpr char piccropt[] = "piccropt";
inline constexpr char piccropb[] = "piccropb";
// The kinds of picture data; the writer writes each picture as the kind it was read as.
inline constexpr char pngblip[] = "pngblip";
inline constexpr char jpegblip[] = "jpegblip";
inline constexpr char emfblip[] = "emfblip";
inline constexpr char wmetafile[] = "wmetafile";
inline constexpr char dibitmap[] = "dibitmap";
inline constexpr char wbitmap[] = "wbitmap";
inline constexpr char macpict[] = "macpict";
inline constexpr char pmmetafile[] = "pmmetafile";

} // namespace RtfWord
