#include "RtfKeyword.h"

#include <array>
#include <cstring>

namespace corvane {

namespace {

struct Entry {
    const char* name;
    RtfWord word;
};

constexpr Entry entries[] = {
    {"rtf", RtfWord::Rtf},
    {"fonttbl", RtfWord::FontTable},
    {"colortbl", RtfWord::ColourTable},
    {"info", RtfWord::Info},
    {"title", RtfWord::Title},
    {"pict", RtfWord::Pict},
    {"shppict", RtfWord::ShpPict},
    {"shp", RtfWord::Shp},
    {"shprslt", RtfWord::ShpRslt},
    {"object", RtfWord::Object},
    {"result", RtfWord::Result},
    {"field", RtfWord::Field},
    {"fldinst", RtfWord::FldInst},
    {"fldrslt", RtfWord::FldRslt},
    {"header", RtfWord::Header},
    {"headerl", RtfWord::HeaderL},
    {"headerr", RtfWord::HeaderR},
    {"headerf", RtfWord::HeaderF},
    {"footer", RtfWord::Footer},
    {"footerl", RtfWord::FooterL},
    {"footerr", RtfWord::FooterR},
    {"footerf", RtfWord::FooterF},
    {"listtext", RtfWord::ListText},
    {"pntext", RtfWord::PnText},
    {"upr", RtfWord::Upr},
    {"ud", RtfWord::Ud},
    // Destinations whose text must not show; those written with \* are skipped without being listed.
    {"stylesheet", RtfWord::SkippedDestination},
    {"listtable", RtfWord::SkippedDestination},
    {"listoverridetable", RtfWord::SkippedDestination},
    {"revtbl", RtfWord::SkippedDestination},
    {"filetbl", RtfWord::SkippedDestination},
    {"footnote", RtfWord::SkippedDestination},
    {"annotation", RtfWord::SkippedDestination},
    {"atnid", RtfWord::SkippedDestination},
    {"atnauthor", RtfWord::SkippedDestination},
    {"pn", RtfWord::SkippedDestination},
    {"pnseclvl", RtfWord::SkippedDestination},
    {"nonshppict", RtfWord::SkippedDestination},
    {"nonesttables", RtfWord::SkippedDestination},
    {"xe", RtfWord::SkippedDestination},
    {"tc", RtfWord::SkippedDestination},
    {"txe", RtfWord::SkippedDestination},
    {"ftnsep", RtfWord::SkippedDestination},
    {"ftnsepc", RtfWord::SkippedDestination},
    {"aftnsep", RtfWord::SkippedDestination},
    {"aftnsepc", RtfWord::SkippedDestination},
    {"ftncn", RtfWord::SkippedDestination},
    {"aftncn", RtfWord::SkippedDestination},
    {"do", RtfWord::SkippedDestination},
    {"template", RtfWord::SkippedDestination},
    {"objdata", RtfWord::SkippedDestination},
    {"objclass", RtfWord::SkippedDestination},
    {"objname", RtfWord::SkippedDestination},
    {"private", RtfWord::SkippedDestination},
    {"bkmkstart", RtfWord::SkippedDestination},
    {"bkmkend", RtfWord::SkippedDestination},
    {"shpinst", RtfWord::SkippedDestination},
    {"txbxcontent", RtfWord::SkippedDestination},
    {"pgdsctbl", RtfWord::SkippedDestination},
    {"rsidtbl", RtfWord::SkippedDestination},
    {"generator", RtfWord::SkippedDestination},
    {"themedata", RtfWord::SkippedDestination},
    {"colorschememapping", RtfWord::SkippedDestination},
    {"latentstyles", RtfWord::SkippedDestination},
    {"datastore", RtfWord::SkippedDestination},
    {"xmlnstbl", RtfWord::SkippedDestination},
    {"mmathPr", RtfWord::SkippedDestination},
    {"userprops", RtfWord::SkippedDestination},
    {"falt", RtfWord::SkippedDestination},
    {"panose", RtfWord::SkippedDestination},
    {"blipuid", RtfWord::SkippedDestination},
    {"fldtype", RtfWord::SkippedDestination},
    {"listpicture", RtfWord::SkippedDestination},
    {"background", RtfWord::SkippedDestination},
    {"ansi", RtfWord::Ansi},
    {"mac", RtfWord::Mac},
    {"pc", RtfWord::Pc},
    {"pca", RtfWord::Pca},
    {"ansicpg", RtfWord::AnsiCpg},
    {"deff", RtfWord::Deff},
    {"deftab", RtfWord::DefTab},
    {"paperw", RtfWord::PaperW},
    {"paperh", RtfWord::PaperH},
    {"margl", RtfWord::MargL},
    {"margr", RtfWord::MargR},
    {"margt", RtfWord::MargT},
    {"margb", RtfWord::MargB},
    {"landscape", RtfWord::Landscape},
    {"pgwsxn", RtfWord::PgwSxn},
    {"pghsxn", RtfWord::PghSxn},
    {"marglsxn", RtfWord::MarglSxn},
    {"margrsxn", RtfWord::MargrSxn},
    {"margtsxn", RtfWord::MargtSxn},
    {"margbsxn", RtfWord::MargbSxn},
    {"lndscpsxn", RtfWord::LndscpSxn},
    {"headery", RtfWord::HeaderY},
    {"footery", RtfWord::FooterY},
    {"titlepg", RtfWord::TitlePg},
    {"pgnstarts", RtfWord::PgnStarts},
    {"pgnrestart", RtfWord::PgnRestart},
    {"pgncont", RtfWord::PgnCont},
    {"sbknone", RtfWord::SbkNone},
    {"sbkcol", RtfWord::SbkCol},
    {"sbkpage", RtfWord::SbkPage},
    {"sbkeven", RtfWord::SbkEven},
    {"sbkodd", RtfWord::SbkOdd},
    {"sect", RtfWord::Sect},
    {"sectd", RtfWord::Sectd},
    {"f", RtfWord::F},
    {"fnil", RtfWord::FNil},
    {"froman", RtfWord::FRoman},
    {"fswiss", RtfWord::FSwiss},
    {"fmodern", RtfWord::FModern},
    {"fscript", RtfWord::FScript},
    {"fdecor", RtfWord::FDecor},
    {"ftech", RtfWord::FTech},
    {"fbidi", RtfWord::FBidi},
    {"fcharset", RtfWord::FCharset},
    {"fprq", RtfWord::Fprq},
    {"cpg", RtfWord::Cpg},
    {"red", RtfWord::Red},
    {"green", RtfWord::Green},
    {"blue", RtfWord::Blue},
    {"plain", RtfWord::Plain},
    {"fs", RtfWord::Fs},
    {"b", RtfWord::B},
    {"i", RtfWord::I},
    {"ul", RtfWord::Ul},
    {"ulnone", RtfWord::UlNone},
    {"uld", RtfWord::UlD},
    {"uldash", RtfWord::UlDash},
    {"uldashd", RtfWord::UlDash},
    {"uldashdd", RtfWord::UlDash},
    {"ulldash", RtfWord::UlDash},
    {"uldb", RtfWord::UlDb},
    {"ulw", RtfWord::UlW},
    {"ulth", RtfWord::UlTh},
    {"ulthd", RtfWord::UlTh},
    {"ulthdash", RtfWord::UlTh},
    {"ulwave", RtfWord::UlWave},
    {"ulhwave", RtfWord::UlWave},
    {"ululdbwave", RtfWord::UlWave},
    {"strike", RtfWord::Strike},
    {"striked", RtfWord::StrikeD},
    {"caps", RtfWord::Caps},
    {"scaps", RtfWord::Scaps},
    {"v", RtfWord::V},
    {"cf", RtfWord::Cf},
    {"cb", RtfWord::Cb},
    {"highlight", RtfWord::Highlight},
    {"chcbpat", RtfWord::ChCbPat},
    {"super", RtfWord::Super},
    {"sub", RtfWord::Sub},
    {"nosupersub", RtfWord::NoSuperSub},
    {"up", RtfWord::Up},
    {"dn", RtfWord::Dn},
    {"expndtw", RtfWord::ExpndTw},
    {"expnd", RtfWord::Expnd},
    {"uc", RtfWord::Uc},
    {"u", RtfWord::U},
    {"par", RtfWord::Par},
    {"pard", RtfWord::Pard},
    {"ql", RtfWord::Ql},
    {"qc", RtfWord::Qc},
    {"qr", RtfWord::Qr},
    {"qj", RtfWord::Qj},
    {"qd", RtfWord::Qd},
    {"li", RtfWord::Li},
    {"lin", RtfWord::Li},
    {"ri", RtfWord::Ri},
    {"rin", RtfWord::Ri},
    {"fi", RtfWord::Fi},
    {"sb", RtfWord::Sb},
    {"sa", RtfWord::Sa},
    {"sl", RtfWord::Sl},
    {"slmult", RtfWord::SlMult},
    {"keep", RtfWord::Keep},
    {"keepn", RtfWord::KeepN},
    {"pagebb", RtfWord::PageBb},
    {"intbl", RtfWord::InTbl},
    {"tab", RtfWord::Tab},
    {"tx", RtfWord::Tx},
    {"tqr", RtfWord::Tqr},
    {"tqc", RtfWord::Tqc},
    {"tqdec", RtfWord::TqDec},
    {"tb", RtfWord::Tb},
    {"tldot", RtfWord::TlDot},
    {"tlmdot", RtfWord::TlDot},
    {"tlhyph", RtfWord::TlHyph},
    {"tlul", RtfWord::TlUl},
    {"tlth", RtfWord::TlTh},
    {"tleq", RtfWord::TlEq},
    {"line", RtfWord::Line},
    {"page", RtfWord::Page},
    {"cbpat", RtfWord::CbPat},
    {"cfpat", RtfWord::CfPat},
    {"shading", RtfWord::Shading},
    {"cell", RtfWord::Cell},
    {"row", RtfWord::Row},
    {"nestcell", RtfWord::NestCell},
    {"nestrow", RtfWord::NestRow},
    {"trowd", RtfWord::Trowd},
    {"trgaph", RtfWord::TrGaph},
    {"trleft", RtfWord::TrLeft},
    {"trql", RtfWord::Trql},
    {"trqc", RtfWord::Trqc},
    {"trqr", RtfWord::Trqr},
    {"trrh", RtfWord::TrRh},
    {"trhdr", RtfWord::TrHdr},
    {"trkeep", RtfWord::TrKeep},
    {"cellx", RtfWord::CellX},
    {"clbrdrt", RtfWord::ClBrdrT},
    {"clbrdrl", RtfWord::ClBrdrL},
    {"clbrdrb", RtfWord::ClBrdrB},
    {"clbrdrr", RtfWord::ClBrdrR},
    {"trbrdrt", RtfWord::TrBrdrT},
    {"trbrdrl", RtfWord::TrBrdrL},
    {"trbrdrb", RtfWord::TrBrdrB},
    {"trbrdrr", RtfWord::TrBrdrR},
    {"trbrdrh", RtfWord::TrBrdrH},
    {"trbrdrv", RtfWord::TrBrdrV},
    {"brdrt", RtfWord::BrdrPara},
    {"brdrl", RtfWord::BrdrPara},
    {"brdrb", RtfWord::BrdrPara},
    {"brdrr", RtfWord::BrdrPara},
    {"box", RtfWord::BrdrPara},
    {"brdrbtw", RtfWord::BrdrPara},
    {"brdrbar", RtfWord::BrdrPara},
    {"brdrs", RtfWord::BrdrS},
    {"brdrth", RtfWord::BrdrTh},
    {"brdrdb", RtfWord::BrdrDb},
    {"brdrtriple", RtfWord::BrdrDb},
    {"brdrdot", RtfWord::BrdrDot},
    {"brdrhair", RtfWord::BrdrS},
    {"brdrdash", RtfWord::BrdrDash},
    {"brdrdashsm", RtfWord::BrdrDash},
    {"brdrdashd", RtfWord::BrdrDash},
    {"brdrdashdd", RtfWord::BrdrDash},
    {"brdrnone", RtfWord::BrdrNone},
    {"brdrnil", RtfWord::BrdrNone},
    {"brdrtbl", RtfWord::BrdrNone},
    {"brdrw", RtfWord::BrdrW},
    {"brdrcf", RtfWord::BrdrCf},
    {"clcbpat", RtfWord::ClCbPat},
    {"clcfpat", RtfWord::ClCfPat},
    {"clshdng", RtfWord::ClShdng},
    {"clvertalt", RtfWord::ClVertAlT},
    {"clvertalc", RtfWord::ClVertAlC},
    {"clvertalb", RtfWord::ClVertAlB},
    {"clmgf", RtfWord::ClMgf},
    {"clmrg", RtfWord::ClMrg},
    {"clvmgf", RtfWord::ClVmgf},
    {"clvmrg", RtfWord::ClVmrg},
    {"pngblip", RtfWord::PngBlip},
    {"jpegblip", RtfWord::JpegBlip},
    {"emfblip", RtfWord::EmfBlip},
    {"wmetafile", RtfWord::WMetafile},
    {"dibitmap", RtfWord::DiBitmap},
    {"wbitmap", RtfWord::WBitmap},
    {"macpict", RtfWord::OtherPicture},
    {"pmmetafile", RtfWord::OtherPicture},
    {"picw", RtfWord::PicW},
    {"pich", RtfWord::PicH},
    {"picwgoal", RtfWord::PicWGoal},
    {"pichgoal", RtfWord::PicHGoal},
    {"picscalex", RtfWord::PicScaleX},
    {"picscaley", RtfWord::PicScaleY},
    {"bin", RtfWord::Bin},
    {"emdash", RtfWord::EmDash},
    {"endash", RtfWord::EnDash},
    {"bullet", RtfWord::Bullet},
    {"lquote", RtfWord::LQuote},
    {"rquote", RtfWord::RQuote},
    {"ldblquote", RtfWord::LDblQuote},
    {"rdblquote", RtfWord::RDblQuote},
    {"emspace", RtfWord::EmSpace},
    {"enspace", RtfWord::EnSpace},
    {"qmspace", RtfWord::QmSpace},
    {"zwj", RtfWord::Zwj},
    {"zwnj", RtfWord::Zwnj},
    {"chpgn", RtfWord::ChPgn},
};

constexpr std::size_t slots = 1024;

std::uint32_t hashOf(std::string_view letters)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : letters)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

struct Slot {
    const char* name = nullptr;
    std::size_t length = 0;
    RtfWord word = RtfWord::Unknown;
};

/// Open addressing over a power-of-two table: a control word costs one hash and usually one compare.
struct Table {
    std::array<Slot, slots> slot {};

    Table()
    {
        for (const Entry& entry : entries) {
            std::size_t at = hashOf(entry.name) & (slots - 1);
            while (slot[at].name != nullptr)
                at = (at + 1) & (slots - 1);
            slot[at] = {entry.name, std::strlen(entry.name), entry.word};
        }
    }
};

/// Control words are a few letters: a plain loop beats a call to memcmp.
bool same(const char* name, std::string_view letters)
{
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (name[i] != letters[i])
            return false;
    }
    return true;
}

} // namespace

RtfWord RtfKeyword::find(std::string_view letters)
{
    static const Table table;
    std::size_t at = hashOf(letters) & (slots - 1);
    for (;;) {
        const Slot& slot = table.slot[at];
        if (slot.name == nullptr)
            return RtfWord::Unknown;
        if (slot.length == letters.size() && same(slot.name, letters))
            return slot.word;
        at = (at + 1) & (slots - 1);
    }
}

} // namespace corvane
