#include "common/Emoticons.h"

#include "common/Gbk.h"

#include <cstdio>

namespace {

constexpr std::array<std::string_view, Emoticons::Count> Utf8Names = {
    "微笑",   "撇嘴", "色",   "发呆",   "得意", "流泪",   "害羞",   "闭嘴", "睡",   "大哭",
    "尴尬",   "发怒", "调皮", "呲牙",   "惊讶", "难过",   "酷",     "冷汗", "抓狂", "吐",
    "偷笑",   "可爱", "白眼", "傲慢",   "饥饿", "困",     "惊恐",   "流汗", "憨笑", "大兵",
    "奋斗",   "咒骂", "疑问", "嘘...",  "晕",   "折磨",   "衰",     "骷髅", "敲打", "再见",
    "擦汗",   "抠鼻", "鼓掌", "糗大了", "坏笑", "左哼哼", "右哼哼", "哈欠", "鄙视", "委屈",
    "快哭了", "阴险", "亲亲", "吓",     "可怜", "菜刀",   "西瓜",   "啤酒", "篮球", "乒乓",
    "咖啡",   "吃饭", "猪头", "玫瑰",   "凋谢", "示爱",   "爱心",   "心碎", "蛋糕", "闪电",
    "炸弹",   "刀",   "足球", "瓢虫",   "便便", "月亮",   "太阳",   "礼物", "拥抱", "强",
    "弱",     "握手", "胜利", "抱拳",   "勾引", "拳头",   "差劲",   "爱你", "No",   "OK"};

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesAt(std::string_view text, size_t at, std::string_view name) {
    if (at + name.size() > text.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (Folded(text[at + i]) != Folded(name[i]))
            return false;
    return true;
}

std::string ReplaceName(std::string_view text, std::string_view name, const std::string &code) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        if (!name.empty() && MatchesAt(text, at, name)) {
            out += code;
            at += name.size();
            continue;
        }
        const size_t step =
            Gbk::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        out.append(text.substr(at, step));
        at += step;
    }
    return out;
}

} // namespace

namespace Emoticons {

std::array<std::string, Count> &Names() {
    static std::array<std::string, Count> names = [] {
        std::array<std::string, Count> gbk;
        for (int i = 0; i < Count; ++i)
            gbk[size_t(i)] = Gbk::FromUtf8(Utf8Names[size_t(i)]);
        return gbk;
    }();
    return names;
}

std::string Code(int index) {
    char code[8];
    std::snprintf(code, sizeof code, "/%.3d", index);
    return code;
}

std::string ReplaceNames(std::string_view text) {
    std::string result(text);
    const auto &names = Names();
    for (int i = 0; i < Count; ++i)
        result = ReplaceName(result, names[size_t(i)], Code(i));
    return result;
}

} // namespace Emoticons
