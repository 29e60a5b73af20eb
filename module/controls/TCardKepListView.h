#pragma once

#include "controls/TCardKepCustomListView.h"

// The list control of the player list: the self-painting header of TCardKepCustomListView
// with its look as properties, beside the item view's own properties and signals.
class TCardKepListView : public TCardKepCustomListView {
    Q_OBJECT
    Q_PROPERTY(QColor HeaderBgColor READ HeaderBgColor WRITE SetHeaderBgColor)
    Q_PROPERTY(QColor HeaderFontColor READ HeaderFontColor WRITE SetHeaderFontColor)
    Q_PROPERTY(QColor HeaderSplitColor READ HeaderSplitColor WRITE SetHeaderSplitColor)
    Q_PROPERTY(QImage HeaderBgPicture READ HeaderBgPicture WRITE SetHeaderBgPicture)
    Q_PROPERTY(QImage HeaderSplitPicture READ HeaderSplitPicture WRITE SetHeaderSplitPicture)

public:
    explicit TCardKepListView(QWidget *parent = nullptr);
    ~TCardKepListView() override;
};
