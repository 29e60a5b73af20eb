#pragma once

#include <array>
#include <string_view>

// Every picture the module embeds, with the size its users lay out around. The art
// generator refuses to finish when a picture it drew differs from this table, and the
// resource tests check the embedded copies against it, so a picture cannot drift from
// the coordinates the table, panels and window were designed for.
namespace Resources {

struct ArtPicture {
    std::string_view name;
    int width;
    int height;
};

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;
inline constexpr int kEmoticonCount = 90;
inline constexpr int kEmoticonSize = 24;

// The card faces, spades, hearts, clubs, diamonds from ace to king, then the two jokers
// and the back.
inline constexpr std::array<std::string_view, 55> kCardPictures = {
    "SA", "S2", "S3", "S4", "S5", "S6", "S7",  "S8",  "S9",  "S10", "SJ", "SQ", "SK", "HA",
    "H2", "H3", "H4", "H5", "H6", "H7", "H8",  "H9",  "H10", "HJ",  "HQ", "HK", "CA", "C2",
    "C3", "C4", "C5", "C6", "C7", "C8", "C9",  "C10", "CJ",  "CQ",  "CK", "DA", "D2", "D3",
    "D4", "D5", "D6", "D7", "D8", "D9", "D10", "DJ",  "DQ",  "DK",  "GL", "GH", "B0"};

// The emoticon of code "/NNN" is "KepVestrano_FACENNN".
inline constexpr std::string_view kEmoticonPrefix = "KepVestrano_FACE";

// Digit strips: eleven cells side by side, cell d showing digit d, the last one blank.
inline constexpr int kDigitCells = 11;

inline constexpr std::array kTablePictures = {
    // Buttons: normal "1", pressed "2", mouse over "3"; the play button also "4" (disabled).
    ArtPicture{"KepVestrano_BITMAPFETCH1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFETCH2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFETCH3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFETCH4", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPASS1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPASS2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPASS3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPRIOR1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPRIOR2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPPRIOR3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPRESUME1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPRESUME2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPRESUME3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPONEFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPONEFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPONEFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTWOFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTWOFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTWOFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTHREEFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTHREEFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPTHREEFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFOURFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFOURFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFOURFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFIVEFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFIVEFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPFIVEFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPSIXFEN1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPSIXFEN2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPSIXFEN3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPDONTDECLARE1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPDONTDECLARE2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPDONTDECLARE3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPBOTTOMCARD1", 72, 33},
    ArtPicture{"KepVestrano_BITMAPBOTTOMCARD2", 72, 33},
    ArtPicture{"KepVestrano_BITMAPBOTTOMCARD3", 72, 33},
    ArtPicture{"KepVestrano_BITMAPREADY1", 89, 32},
    ArtPicture{"KepVestrano_BITMAPREADY2", 89, 32},
    ArtPicture{"KepVestrano_BITMAPREADY3", 89, 32},
    ArtPicture{"KepVestrano_BITMAPTAKELEFT1", 77, 30},
    ArtPicture{"KepVestrano_BITMAPTAKELEFT2", 77, 30},
    ArtPicture{"KepVestrano_BITMAPTAKELEFT3", 77, 30},
    ArtPicture{"KepVestrano_BITMAPSINGLECARD1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPSINGLECARD2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPSINGLECARD3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTWOCARD1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTWOCARD2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTWOCARD3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTHREECARD1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTHREECARD2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTHREECARD3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPBOMBCARD1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPBOMBCARD2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPBOMBCARD3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPMUCHTOFEW1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPMUCHTOFEW2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPMUCHTOFEW3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOBIG1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOBIG2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOBIG3", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOLITTLE1", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOLITTLE2", 35, 35},
    ArtPicture{"KepVestrano_BITMAPTOLITTLE3", 35, 35},
    // Marks, clock, digits and boards of the table.
    ArtPicture{"KepVestrano_BitmapBegin", 79, 40},
    ArtPicture{"KepVestrano_BitmapDontDeclare", 79, 40},
    ArtPicture{"KepVestrano_BitmapDontFetch", 79, 40},
    ArtPicture{"KepVestrano_BitmapOneFen", 65, 40},
    ArtPicture{"KepVestrano_BitmapTwoFen", 65, 40},
    ArtPicture{"KepVestrano_BitmapThreeFen", 65, 40},
    ArtPicture{"KepVestrano_BitmapFourFen", 65, 40},
    ArtPicture{"KepVestrano_BitmapFiveFen", 65, 40},
    ArtPicture{"KepVestrano_BitmapSixFen", 65, 40},
    ArtPicture{"KepVestrano_BITMAPCLOCK", 53, 54},
    ArtPicture{"KepVestrano_BITMAPNUMBER", 154, 25},
    ArtPicture{"BitmapMask", 144, 14},
    ArtPicture{"KepVestrano_BITMAPZhuang", 38, 37},
    ArtPicture{"KepVestrano_IMAGETRUSTEESHIP", 97, 31},
    ArtPicture{"KepVestrano_BITMAPDIALOG1", 131, 88},
    ArtPicture{"KepVestrano_BITMAPDIALOG2", 131, 88},
    ArtPicture{"KepVestrano_BITMAPSCORE", 359, 195},
    ArtPicture{"KepVestrano_IMAGECANSELECT", 160, 124},
    ArtPicture{"KepVestrano_BITMAPNoSelect1", 162, 18},
    // JPEG backgrounds.
    ArtPicture{"KepVestrano_BITMAPBBACK01", 1024, 734},
    ArtPicture{"KepVestrano_BITMAPBBACK11", 1024, 734},
    ArtPicture{"KepVestrano_BTIMAPBIGBACK", 1024, 734},
    // Panel skins.
    ArtPicture{"KepVestrano_BTIMAPBUSERLIST", 186, 102},
    ArtPicture{"KepVestrano_BTIMAPBUSERCHAT", 200, 351},
};

// Pictures of the window and its panels. A title-strip button has its normal "1", pressed
// "2" and mouse-over "3" picture; an image list holds the states normal, mouse over, pressed,
// disabled of each of its buttons side by side.
inline constexpr std::array kWindowPictures = {
    ArtPicture{"KepVestrano_TITLELOGO1", 40, 32},
    ArtPicture{"KepVestrano_TITLELOGO2", 40, 32},
    ArtPicture{"KepVestrano_TITLELOGO3", 40, 32},
    ArtPicture{"KepVestrano_TITLEMAIN1", 56, 16},
    ArtPicture{"KepVestrano_TITLEMAIN2", 56, 16},
    ArtPicture{"KepVestrano_TITLEMAIN3", 56, 16},
    ArtPicture{"KepVestrano_TITLESETUP1", 80, 26},
    ArtPicture{"KepVestrano_TITLESETUP2", 80, 26},
    ArtPicture{"KepVestrano_TITLESETUP3", 80, 26},
    ArtPicture{"KepVestrano_TITLETOPIC1", 80, 26},
    ArtPicture{"KepVestrano_TITLETOPIC2", 80, 26},
    ArtPicture{"KepVestrano_TITLETOPIC3", 80, 26},
    ArtPicture{"KepVestrano_TITLESCREEN1", 80, 26},
    ArtPicture{"KepVestrano_TITLESCREEN2", 80, 26},
    ArtPicture{"KepVestrano_TITLESCREEN3", 80, 26},
    ArtPicture{"KepVestrano_TITLEADVICE1", 80, 26},
    ArtPicture{"KepVestrano_TITLEADVICE2", 80, 26},
    ArtPicture{"KepVestrano_TITLEADVICE3", 80, 26},
    ArtPicture{"KepVestrano_TITLEHELP1", 26, 22},
    ArtPicture{"KepVestrano_TITLEHELP2", 26, 22},
    ArtPicture{"KepVestrano_TITLEHELP3", 26, 22},
    ArtPicture{"KepVestrano_TITLEMIN1", 26, 22},
    ArtPicture{"KepVestrano_TITLEMIN2", 26, 22},
    ArtPicture{"KepVestrano_TITLEMIN3", 26, 22},
    ArtPicture{"KepVestrano_TITLERESTORE1", 26, 22},
    ArtPicture{"KepVestrano_TITLERESTORE2", 26, 22},
    ArtPicture{"KepVestrano_TITLERESTORE3", 26, 22},
    ArtPicture{"KepVestrano_TITLEMAX1", 26, 22},
    ArtPicture{"KepVestrano_TITLEMAX2", 26, 22},
    ArtPicture{"KepVestrano_TITLEMAX3", 26, 22},
    ArtPicture{"KepVestrano_TITLECLOSE1", 26, 22},
    ArtPicture{"KepVestrano_TITLECLOSE2", 26, 22},
    ArtPicture{"KepVestrano_TITLECLOSE3", 26, 22},
    ArtPicture{"KepVestrano_TITLETIP1", 18, 18},
    ArtPicture{"KepVestrano_TITLETIP2", 18, 18},
    ArtPicture{"KepVestrano_TITLETIP3", 18, 18},
    // Image lists: 4 states x 75 x 25 text button (OK, cancel); 4 states x 17 x 17 close.
    ArtPicture{"KepVestrano_LISTBUTTON", 300, 25},
    ArtPicture{"KepVestrano_LISTCLOSE", 68, 17},
    // Chat panel: emoticon, colour, send, clear; 4 states of 22 x 22 each.
    ArtPicture{"KepVestrano_LISTCHAT", 352, 22},
    // Check marks: unchecked, checked, each 13 x 13.
    ArtPicture{"KepVestrano_LISTCHECK", 26, 13},
    ArtPicture{"KepVestrano_BIGRIGHT", 213, 696},
    ArtPicture{"KepVestrano_IMAGECOMBOX", 18, 20},
};

} // namespace Resources
