#pragma once
// The message dialog: every question of the table is asked here, with an OK button, a
// cancel button (confirmations and choices), a close button and, for choices, a list.
// A count-down runs on the button that the time-out stands for: "确定(n)" on a message,
// "取消(n)" on a question.

#include "plugin/TCustomPluginDialog.h"

#include <QColor>

class QListWidget;
class TImageList;
class TLovelyButton;
class TLovelyTextBtn;

class TPluginDialog50 final : public TCustomPluginDialog {
    Q_OBJECT

public:
    static constexpr int LineSpacing = 16;

    explicit TPluginDialog50(QWidget *parent = nullptr);
    ~TPluginDialog50() override;

    void SetLife(int remaining) override;
    void SetKind(uint8_t kind) override;
    void SetText(const std::string &text) override;
    int SelectedIndex() override;
    void SetSelectedIndex(int index) override;
    void SetItems(const std::optional<std::vector<std::string>> &items) override;
    void SetItemsFromArray(const std::vector<std::string> &items) { SetItems(items); }

    int ButtonBottomSpace() const { return m_buttonBottomSpace; }
    void SetButtonBottomSpace(int value);
    int CloseTop() const { return m_closeTop; }
    void SetCloseTop(int value);
    int CloseRight() const { return m_closeRight; }
    void SetCloseRight(int value);
    void SetSelectSpaces(int left, int top, int right, int bottom);

    TLovelyTextBtn *OkButton() const { return m_ok; }
    TLovelyTextBtn *CancelButton() const { return m_cancel; }
    TLovelyButton *CloseButton() const { return m_close; }
    QListWidget *ChoiceList() const { return m_list; }
    // Where line i of the text is drawn, for the painting and its tests.
    QRect TextLineRect(int line, int lines) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void LayOut();
    QRect TextArea() const;

    TImageList *m_buttonImages;
    TImageList *m_closeImages;
    TLovelyTextBtn *m_ok;
    TLovelyTextBtn *m_cancel;
    TLovelyButton *m_close;
    QListWidget *m_list;
    int m_buttonBottomSpace = 10;
    int m_closeTop = 3;
    int m_closeRight = 3;
    int m_selectLeft = 9;
    int m_selectTop = 4;
    int m_selectRight = 9;
    int m_selectBottom = 5;
};
