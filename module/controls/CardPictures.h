#pragma once
// The pictures the hand control draws, one per card face or back, with the card's
// highlight wash and joker label already applied and the corners made transparent.
// Prepared pictures are kept for the life of the module: a hand redraws the same few
// dozen pictures over and over, and drawing a ready premultiplied picture is the only
// per-card cost left.

#include "cards/VestranoFunc.h"

#include <QImage>

#include <functional>
#include <string>
#include <string_view>

namespace CardPictures {

// Looks a picture up by its resource name ("SA", "GH", "B0", ...).
using TImageLoader = std::function<QImage(std::string_view name)>;

// Replaces where pictures come from (empty: the module's embedded pictures) and forgets
// every prepared picture.
void SetLoader(TImageLoader loader);

// The resource name of what `card` shows in size style `sizeStyle`: the back image
// "B%d" (Back - 1) when Back > 0, else the face of its Index; "B%d0" and the names ending
// in "0" in the styles other than 1. Empty for an Index outside the card code.
std::string ImageName(const VestranoFunc::TCardInfo &card, int sizeStyle);

// The picture of `card`, premultiplied, transparent where the card is not; null when
// there is no picture of that name.
QImage Picture(const VestranoFunc::TCardInfo &card, int sizeStyle);

// The label printed over a face: empty unless ShownValue is a face value other than
// Value (so 0, Value and the jokers' values print nothing).
std::string_view LabelOf(const VestranoFunc::TCardInfo &card);

} // namespace CardPictures
