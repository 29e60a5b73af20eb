#pragma once
// A line of GBK text lying on the game table without a background, as large as its
// text. Mouse events go on to the table beneath.

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <string>

class TTableLabel final : public QWidget {
    Q_OBJECT

public:
    explicit TTableLabel(QWidget *parent = nullptr);

    const std::string &Text() const { return m_text; }
    void SetText(const std::string &gbk);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    void SetTextFont(const QFont &font);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FitText();

    std::string m_text;
    QString m_shown;
    QColor m_color = Qt::white;
};
