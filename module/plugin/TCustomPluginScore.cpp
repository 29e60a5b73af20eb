#include "plugin/TCustomPluginScore.h"

TCustomPluginScore::TCustomPluginScore(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginScore::SetScores(uint8_t, std::span<const TSettlementEntry>) {}
void TCustomPluginScore::Initialize() {}
void TCustomPluginScore::Finalize() {}
void TCustomPluginScore::LoadOptions() {}
void TCustomPluginScore::BeforeFinalize() {}
