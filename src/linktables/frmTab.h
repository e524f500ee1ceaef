#pragma once

#include "commands/ImageList.h"
#include "linktables/LinkGrid.h"
#include "linktables/LinkTable.h"
#include "platform/WindowFrame.h"

#include <QWidget>

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QTabBar;
class QTableView;

namespace lorva {

class CommandBarView;

// The link-table window: seven strips of 15 group tabs over the grid of the
// selected group's links, a header band with the title box, and two bars.
// A thin window: every rule is in the logic of LinkTable.h.
class frmTab : public QWidget, private LinkTableWindow
{
    Q_OBJECT

public:
    // `ctx` holds what the program lends; the window adds its own parts.
    explicit frmTab(LinkTableContext ctx, QWidget *parent = nullptr);
    ~frmTab() override;

    // Runs the window's load (before it is shown).
    void load();
    LinkTableContext &context() { return m_ctx; }
    LinkGrid &grid() { return m_grid; }
    QTableView *gridView() const { return m_gridList; }
    QTabBar *strip(int index) const { return m_tabF[index]; }
    QLineEdit *titleBox() const { return m_text1; }
    CommandBarView *bar(int index) const { return m_cmdBar[index]; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // LinkTableWindow
    void setStripCaption(int strip, int tab, const QString &caption) override;
    void showSelectedTabs(const std::array<int, kStrips> &tabs) override;
    void setGridVisible(bool visible) override;
    void setCurrentCell(int row, int column) override;
    void setLabelText(const QString &text) override;
    void openTitleBox() override;
    void closeTitleBox() override;
    QString titleBoxText() const override;
    void setTitleBoxText(const QString &text) override;
    int cellHeightTwips() const override;
    void applyLayout(const TableLayout &layout) override;
    void hideWindow() override;

    void gridCellChosen(const QModelIndex &index);

    ImageList m_images;
    LinkGrid m_grid;
    TableState m_state;
    QtWindowFrame m_frame{this};
    std::unique_ptr<Dialogs> m_dialogs;
    LinkTableContext m_ctx;
    QWidget *m_picLab;
    CommandBarView *m_cmdBar[2];
    QLineEdit *m_text1;
    QLabel *m_label1;
    QLabel *m_lblMove;
    QTabBar *m_tabF[kStrips];
    QFrame *m_strip0Body;
    QTableView *m_gridList;
    bool m_loaded = false;
};

} // namespace lorva
