// The joker search, the fill builders and the interpretation check on any bytes, against
// the literal rules (whose triples-with-pairs loops are slow: they see short cores).

#include "FuzzInput.h"
#include "cards/LiteralRules.h"
#include "cards/VestranoFunc.h"

#include <algorithm>

namespace VF = VestranoFunc;

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const int jokers = input.Int(-1, 5);
    const int length = input.Int(-2, 16);
    const bool usualWild = input.Byte() % 8 != 0;
    const std::string wild = usualWild ? std::string(VF::WildCards) : input.Text(5);
    const std::string previous = input.Text(30);
    const std::string selection = input.Rest();
    std::vector<std::string> fast;
    std::vector<std::string> literal;
    const int fastType = VF::JokerInterpretations(selection, wild, previous, &fast);
    const int literalType = Literal::JokerInterpretations(selection, wild, previous, &literal);
    Check(fast == literal && fastType == literalType);
    for (const std::string &faces : fast) {
        if (usualWild)
            Check(VF::IsValidInterpretation(selection, faces));
    }
    (void)VF::IsValidInterpretation(selection, previous);
    const std::string core = selection.substr(0, 30);
    Check(VF::FillPairRun(length, core, jokers) == Literal::FillPairRun(length, core, jokers));
    Check(VF::FillTripleRun(length, core, jokers) == Literal::FillTripleRun(length, core, jokers));
    Check(VF::FillStraight(length, core, jokers) == Literal::FillStraight(length, core, jokers));
    Check(VF::FillTriplesWithPairs(core, previous, jokers) ==
          Literal::FillTriplesWithPairs(core, previous, jokers));
    std::vector<std::string> list;
    VF::AddIfBeats(list, core, static_cast<VF::TPlayType>(std::clamp(length, 0, 10)), previous);
    return 0;
}
