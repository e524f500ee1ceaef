#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

namespace lorva {

inline constexpr int kGridColumns = 7;
inline const QString kMask = QStringLiteral("********");

// The grid of the link-table window: row 0 holds the column headers, column
// 0 the row numbers, columns 1 to 6 the six fields of a link. Each row
// carries its own hidden text (what column 4 masks), so that every reorder
// keeps it with its row. As a model, grid row r + 1 is model row r and row
// 0 gives the header texts.
class LinkGrid : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Row
    {
        std::array<QString, kGridColumns> cells;
        QString hidden;
    };

    explicit LinkGrid(QObject *parent = nullptr);

    int rows() const { return int(m_rows.size()); }
    // Grows with empty rows or drops rows from the end; at least the header row.
    void setRows(int count);
    const QString &text(int row, int column) const;
    void setText(int row, int column, const QString &text);
    const QString &hidden(int row) const;
    void setHidden(int row, const QString &text);
    // Empties every cell, headers included, and every hidden text.
    void clear();
    // Sorts rows first..last by one column, ascending and stable; each row
    // moves whole. Returns where each row went: moved[i] is the new index of
    // the row that stood at first + i.
    std::vector<int> sortRows(int first, int last, int column, Qt::CaseSensitivity cs);
    // Many changes at once: the views are told only at the end.
    void beginBulk();
    void endBulk();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Row> m_rows;
    int m_bulk = 0;
};

} // namespace lorva
