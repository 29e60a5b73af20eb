// EnumeratePlays on any bytes: every option is taken from the hand, in a form the client
// could play, accepted by the play check, and no play is listed twice.

#include "FuzzInput.h"
#include "cards/VestranoFunc.h"

#include <set>
#include <utility>

namespace VF = VestranoFunc;

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string previous = input.Text(27);
    const std::string hand = input.Rest();
    std::set<std::pair<std::string, std::string>> seen;
    for (const VF::TPlayOption &play : VF::EnumeratePlays(hand, previous)) {
        const std::string cards = play.Cards.Str();
        const std::string faces = play.Faces.Str();
        Check(VF::IsValidInterpretation(cards, faces));
        Check(VF::CheckPlay(true, 0, 0, cards, faces, 0, hand, previous,
                            previous.empty() ? 0 : 1) == VF::pcOk);
        Check(seen.emplace(VF::SortChars(VF::CardsToRanks(cards), true),
                           VF::SortChars(VF::CardsToRanks(faces), true))
                  .second);
    }
    return 0;
}
