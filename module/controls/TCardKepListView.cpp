#include "controls/TCardKepListView.h"

TCardKepListView::TCardKepListView(QWidget *parent)
    : TCardKepCustomListView(parent) {}

TCardKepListView::~TCardKepListView() = default;
