// Image names and texts of the card code and the play rules.
//
// The two GBK tables are written as bytes so that this library needs no text converter;
// gbk-texts.sh printed them and the tests compare them with the converter's output.

#include "cards/VestranoFunc.h"

namespace VestranoFunc {

const std::array<std::string_view, CardCount> CardImageNames = {
    "SA", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "SJ", "SQ", "SK", //
    "HA", "H2", "H3", "H4", "H5", "H6", "H7", "H8", "H9", "H10", "HJ", "HQ", "HK", //
    "CA", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "C9", "C10", "CJ", "CQ", "CK", //
    "DA", "D2", "D3", "D4", "D5", "D6", "D7", "D8", "D9", "D10", "DJ", "DQ", "DK", //
    "GL", "GH"};

const std::array<std::string_view, CardCount> CardImageNames0 = {
    "SA0",  "S20", "S30",  "S40", "S50",  "S60", "S70", "S80", "S90", "S100", "SJ0",
    "SQ0",  "SK0", "HA0",  "H20", "H30",  "H40", "H50", "H60", "H70", "H80",  "H90",
    "H100", "HJ0", "HQ0",  "HK0", "CA0",  "C20", "C30", "C40", "C50", "C60",  "C70",
    "C80",  "C90", "C100", "CJ0", "CQ0",  "CK0", "DA0", "D20", "D30", "D40",  "D50",
    "D60",  "D70", "D80",  "D90", "D100", "DJ0", "DQ0", "DK0", "GL0", "GH0"};

const std::array<std::string_view, 15> RankTexts = {"A", "2",  "3", "4", "5", "6", "7", "8",
                                                    "9", "10", "J", "Q", "K", "",  ""};

const std::array<std::string_view, PlayTypeCount> PlayTypeNames = {
    "\xB4\xED\xCE\xF3\xC0\xE0\xD0\xCD",         // 错误类型
    "\xB5\xA5\xD5\xC5",                         // 单张
    "\xB6\xD4\xD7\xD3",                         // 对子
    "\xC8\xFD\xD5\xC5",                         // 三张
    "\xC8\xFD\xB4\xF8\xB6\xD4",                 // 三带对
    "\xD5\xA8\xB5\xAF",                         // 炸弹
    "\xCB\xB3\xD7\xD3",                         // 顺子
    "\xC1\xAC\xB6\xD4",                         // 连对
    "\xC1\xAC\xC8\xFD",                         // 连三
    "\xC1\xAC\xC8\xFD\xB4\xF8\xC1\xAC\xB6\xD4", // 连三带连对
    "\xBB\xF0\xBC\xFD",                         // 火箭
};

const std::array<std::string_view, PlayCheckCount> PlayCheckTexts = {
    "",
    "\xC4\xDA\xB2\xBF\xB4\xED\xCE\xF3",         // 内部错误
    "\xB3\xF6\xC5\xC6\xB2\xBB\xB9\xBB\xB4\xF3", // 出牌不够大
    "\xCE\xB4\xC2\xD6\xB5\xBD\xB3\xF6\xC5\xC6", // 未轮到出牌
    "\xCE\xB4\xD1\xA1\xD4\xF1\xC5\xC6",         // 未选择牌
    "\xC0\xE0\xD0\xCD\xB2\xBB\xB7\xFB",         // 类型不符
};

} // namespace VestranoFunc
