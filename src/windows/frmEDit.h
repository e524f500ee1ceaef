#pragma once

#include "commands/ImageList.h"
#include "platform/WindowFrame.h"
#include "windows/RowEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;

namespace lorva {

class CommandBarView;

// The link-row editor: six boxes for the six fields of one link, under its
// bar "EDIT9". A thin window over the logic of RowEditor.h.
class frmEDit : public QWidget, private RowEditorWindow
{
    Q_OBJECT

public:
    // `ctx` holds what the program lends; the window adds its own parts.
    explicit frmEDit(RowEditorContext ctx, QWidget *parent = nullptr);
    ~frmEDit() override;

    void load();
    QLineEdit *box(int index) const { return m_txt[index]; }
    CommandBarView *bar() const { return m_cmdBar; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString boxText(int box) const override;
    void setBoxText(int box, const QString &text) override;
    void setLabelText(int label, const QString &text) override;
    void setCaption(const QString &text) override;
    void hideWindow() override;
    void layOut();

    ImageList m_images;
    QtWindowFrame m_frame{this};
    std::unique_ptr<Dialogs> m_dialogs;
    RowEditorContext m_ctx;
    QLabel *m_imgTitle;
    QWidget *m_imgBkg;
    CommandBarView *m_cmdBar;
    QLabel *m_lab[7] = {};
    QLineEdit *m_txt[7] = {};
    bool m_loaded = false;
};

} // namespace lorva
