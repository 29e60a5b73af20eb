// Classification, comparison and the play check on any bytes, against the literal rules.

#include "FuzzInput.h"
#include "cards/LiteralRules.h"
#include "cards/VestranoFunc.h"

namespace VF = VestranoFunc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const bool running = input.Byte() & 1u;
    const int current = input.Int(0, 4);
    const int seat = input.Int(0, 4);
    const int own = input.Int(0, 4);
    const int last = input.Int(0, 4);
    const std::string previous = input.Text(40);
    const std::string interpretation = input.Text(40);
    const std::string hand = input.Text(60);
    const std::string cards = input.Rest();
    if (VF::ClassifyPlay(cards) != Literal::ClassifyPlay(cards) ||
        VF::ComparePlays(interpretation, previous) !=
            Literal::ComparePlays(interpretation, previous) ||
        VF::CheckPlay(running, current, seat, cards, interpretation, own, hand, previous, last) !=
            Literal::CheckPlay(running, current, seat, cards, interpretation, own, hand, previous,
                               last))
        __builtin_trap();
    return 0;
}
