#!/usr/bin/env bash
# Prints the GBK bytes of the play type names and play check hints as C++ literals, for
# CardTexts.cpp (the card library stays free of any converter; tests/cards checks them).
set -euo pipefail
for text in 错误类型 单张 对子 三张 三带对 炸弹 顺子 连对 连三 连三带连对 火箭 \
            内部错误 出牌不够大 未轮到出牌 未选择牌 类型不符; do
    bytes=$(printf '%s' "$text" | iconv -f UTF-8 -t GBK | xxd -p -u | sed 's/\(..\)/\\x\1/g')
    printf '    "%s", // %s\n' "$bytes" "$text"
done
