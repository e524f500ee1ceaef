#include "linktables/LinkGrid.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <numeric>

namespace lorva {

namespace {

const QString kNothing;

} // namespace

LinkGrid::LinkGrid(QObject *parent) : QAbstractTableModel(parent), m_rows(1) {}

void LinkGrid::beginBulk()
{
    if (m_bulk++ == 0)
        beginResetModel();
}

void LinkGrid::endBulk()
{
    if (m_bulk > 0 && --m_bulk == 0)
        endResetModel();
}

void LinkGrid::setRows(int count)
{
    count = qMax(1, count);
    if (count == rows())
        return;
    beginBulk();
    m_rows.resize(size_t(count));
    endBulk();
}

const QString &LinkGrid::text(int row, int column) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= kGridColumns)
        return kNothing;
    return m_rows[size_t(row)].cells[size_t(column)];
}

void LinkGrid::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rows() || column < 0 || column >= kGridColumns)
        return;
    m_rows[size_t(row)].cells[size_t(column)] = text;
    if (m_bulk)
        return;
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, column, column);
    else
        emit dataChanged(index(row - 1, column), index(row - 1, column));
}

const QString &LinkGrid::hidden(int row) const
{
    if (row < 0 || row >= rows())
        return kNothing;
    return m_rows[size_t(row)].hidden;
}

void LinkGrid::setHidden(int row, const QString &text)
{
    if (row >= 0 && row < rows())
        m_rows[size_t(row)].hidden = text;
}

void LinkGrid::clear()
{
    beginBulk();
    for (Row &row : m_rows)
        row = Row();
    endBulk();
}

std::vector<int> LinkGrid::sortRows(int first, int last, int column, Qt::CaseSensitivity cs)
{
    first = qMax(1, first);
    last = qMin(last, rows() - 1);
    if (last < first || column < 0 || column >= kGridColumns)
        return {};
    std::vector<int> order(size_t(last - first + 1));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return QString::compare(m_rows[size_t(a)].cells[size_t(column)], m_rows[size_t(b)].cells[size_t(column)],
                                cs) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(order.size());
    std::vector<int> moved(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(m_rows[size_t(order[i])]));
        moved[size_t(order[i] - first)] = first + int(i);
    }
    beginBulk();
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + first);
    endBulk();
    return moved;
}

int LinkGrid::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows() - 1; }

int LinkGrid::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant LinkGrid::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (role == Qt::ToolTipRole && (index.column() == 4 || text(row, index.column()).isEmpty()))
            return {};
        return text(row, index.column());
    case Qt::AccessibleTextRole:
        return text(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == 3 || index.column() == 4)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (index.column() == 0)
            return int(Qt::AlignCenter);
        return {};
    case Qt::BackgroundRole:
        // Column 0 is the grid's fixed column of row numbers.
        if (index.column() == 0)
            return QGuiApplication::palette().brush(QPalette::Button);
        return {};
    default:
        return {};
    }
}

QVariant LinkGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return text(0, section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace lorva
