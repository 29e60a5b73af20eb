#pragma once

#include "widgets/TLovelyButton.h"

#include <QImage>

#include <string>

// A TLovelyButton of any width with a caption: the state picture is cut in three, its
// ends kept and its middle column stretched, with #FF00FF transparent.
class TLovelyTextBtn : public TLovelyButton {
    Q_OBJECT

public:
    explicit TLovelyTextBtn(QWidget *parent = nullptr);
    ~TLovelyTextBtn() override;

    // GBK text, centred on one line.
    const std::string &Caption() const { return m_caption; }
    void SetCaption(const std::string &caption);

protected:
    void FitToImages() override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::string m_caption;
};
