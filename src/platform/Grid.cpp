#include "platform/Grid.h"

#include <algorithm>
#include <numeric>

Grid::Grid(int rows, int cols)
{
    setCols(cols);
    setRows(rows);
}

Grid::~Grid() = default;

Grid::Row Grid::makeEmptyRow() const
{
    Row row;
    row.ends.resize(m_cols);
    std::fill(row.ends.begin(), row.ends.end(), 0);
    return row;
}

void Grid::setRows(int rows)
{
    rows = std::max(rows, 0);
    const int old = this->rows();
    if (rows == old)
        return;
    const bool notify = m_batchDepth == 0;
    if (rows > old) {
        if (notify)
            beginInsertRows({}, old, rows - 1);
        // Room for all at once (and for more when rows come one by one): growing step by step
        // would move every earlier row again and again.
        if (size_t(rows) > m_rows.capacity())
            m_rows.reserve(std::max(size_t(rows), 2 * m_rows.capacity()));
        while (int(m_rows.size()) < rows)
            m_rows.push_back(makeEmptyRow());
        if (notify)
            endInsertRows();
    } else {
        if (notify)
            beginRemoveRows({}, rows, old - 1);
        m_rows.erase(m_rows.begin() + rows, m_rows.end());
        if (notify)
            endRemoveRows();
    }
}

void Grid::appendRow(const QStringList &texts)
{
    setRows(rows() + 1);
    const int row = rows() - 1;
    for (int col = 0; col < texts.size() && col < m_cols; ++col)
        setText(row, col, texts.at(col));
}

void Grid::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    const bool notify = m_batchDepth == 0;
    if (notify)
        beginResetModel();
    for (Row &row : m_rows) {
        if (cols < m_cols) {
            row.text.truncate(cols == 0 ? 0 : row.ends[cols - 1]);
            row.ends.resize(cols);
        } else {
            const int end = row.ends.isEmpty() ? 0 : row.ends.back();
            row.ends.resize(cols);
            std::fill(row.ends.begin() + m_cols, row.ends.end(), end);
        }
        if (row.styles)
            std::erase_if(*row.styles, [cols](const CellStyle &s) { return s.col >= cols; });
    }
    m_cols = cols;
    m_colWidths.resize(size_t(cols), 960);
    if (notify)
        endResetModel();
    Q_EMIT layoutSettingsChanged();
}

void Grid::setFixedRows(int fixedRows)
{
    m_fixedRows = std::max(fixedRows, 0);
    Q_EMIT layoutSettingsChanged();
}

void Grid::setFixedCols(int fixedCols)
{
    m_fixedCols = std::max(fixedCols, 0);
    Q_EMIT layoutSettingsChanged();
}

int Grid::colWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_colWidths[size_t(col)] : 0;
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colWidths[size_t(col)] = twips;
    Q_EMIT layoutSettingsChanged();
}

int Grid::rowHeight(int row) const
{
    return row >= 0 && size_t(row) < m_rowHeights.size() && m_rowHeights[size_t(row)] > 0
        ? m_rowHeights[size_t(row)]
        : m_defaultRowHeight;
}

void Grid::setRowHeight(int row, int twips)
{
    if (row < 0)
        return;
    if (size_t(row) >= m_rowHeights.size())
        m_rowHeights.resize(size_t(row) + 1, 0);
    m_rowHeights[size_t(row)] = twips;
    Q_EMIT layoutSettingsChanged();
}

void Grid::setWidth(int twips)
{
    m_width = twips;
    Q_EMIT layoutSettingsChanged();
}

QStringView Grid::textView(int row, int col) const
{
    if (!hasCell(row, col))
        return {};
    const Row &r = m_rows[size_t(row)];
    const int begin = col == 0 ? 0 : r.ends[col - 1];
    return QStringView(r.text).mid(begin, r.ends[col] - begin);
}

bool Grid::setText(int row, int col, QStringView text)
{
    if (!hasCell(row, col))
        return false;
    Row &r = m_rows[size_t(row)];
    const int begin = col == 0 ? 0 : r.ends[col - 1];
    const int oldLength = r.ends[col] - begin;
    const int delta = int(text.size()) - oldLength;
    if (delta == 0 && QStringView(r.text).mid(begin, oldLength) == text)
        return true;
    r.text.replace(begin, oldLength, text.data(), text.size());
    for (int c = col; c < m_cols; ++c)
        r.ends[c] += delta;
    cellChanged(row, col);
    return true;
}

bool Grid::setCurrentCell(int row, int col)
{
    if (!hasCell(row, col) || row < m_fixedRows || col < m_fixedCols)
        return false;
    m_currentRow = row;
    m_currentCol = col;
    Q_EMIT currentCellChanged();
    return true;
}

void Grid::userActivate(int row, int col)
{
    if (setCurrentCell(row, col))
        Q_EMIT cellActivated(row, col);
}

const Grid::CellStyle *Grid::style(int row, int col) const
{
    if (!hasCell(row, col) || !m_rows[size_t(row)].styles)
        return nullptr;
    for (const CellStyle &s : *m_rows[size_t(row)].styles)
        if (s.col == col)
            return &s;
    return nullptr;
}

Grid::CellStyle *Grid::style(int row, int col, bool create)
{
    if (!hasCell(row, col))
        return nullptr;
    if (auto *found = const_cast<CellStyle *>(std::as_const(*this).style(row, col)))
        return found;
    if (!create)
        return nullptr;
    auto &styles = m_rows[size_t(row)].styles;
    if (!styles)
        styles = std::make_unique<std::vector<CellStyle>>();
    styles->push_back(CellStyle{col, std::nullopt, Alignment::Default, {}});
    return &styles->back();
}

std::optional<Colour> Grid::backColour(int row, int col) const
{
    const CellStyle *s = style(row, col);
    return s ? s->back : std::nullopt;
}

template<typename T> bool Grid::setStyle(int row, int col, T CellStyle::*part, T value, bool isDefault)
{
    CellStyle *s = style(row, col, !isDefault);
    if (!hasCell(row, col))
        return false;
    if (s) {
        s->*part = std::move(value);
        cellChanged(row, col);
    }
    return true;
}

bool Grid::setBackColour(int row, int col, std::optional<Colour> colour)
{
    return setStyle(row, col, &CellStyle::back, colour, !colour.has_value());
}

Grid::Alignment Grid::alignment(int row, int col) const
{
    const CellStyle *s = style(row, col);
    return s ? s->alignment : Alignment::Default;
}

bool Grid::setAlignment(int row, int col, Alignment alignment)
{
    return setStyle(row, col, &CellStyle::alignment, alignment, alignment == Alignment::Default);
}

QString Grid::toolTip(int row, int col) const
{
    const CellStyle *s = style(row, col);
    return s ? s->toolTip : QString();
}

bool Grid::setToolTip(int row, int col, const QString &toolTip)
{
    return setStyle(row, col, &CellStyle::toolTip, toolTip, toolTip.isEmpty());
}

void Grid::sortRows(int first, int last, std::initializer_list<int> cols)
{
    first = std::max(first, 0);
    last = std::min(last, rows() - 1);
    const bool colsValid
        = std::all_of(cols.begin(), cols.end(), [this](int c) { return c >= 0 && c < m_cols; });
    if (first >= last || cols.size() == 0 || !colsValid)
        return;

    // The keys are taken once per row and the rows sorted by index, then moved once: a row
    // is heavy to move, and taking its key again at every comparison costs more than the
    // comparison itself.
    const size_t count = size_t(last - first + 1);
    const size_t width = cols.size();
    std::vector<QStringView> keys;
    keys.reserve(count * width);
    for (size_t i = 0; i < count; ++i) {
        const Row &row = m_rows[size_t(first) + i];
        for (const int col : cols) {
            const int from = col == 0 ? 0 : row.ends[col - 1];
            keys.push_back(QStringView(row.text).mid(from, row.ends[col] - from));
        }
    }
    auto less = [&keys, width](int a, int b) {
        for (size_t k = 0; k < width; ++k) {
            const int order
                = keys[size_t(a) * width + k].compare(keys[size_t(b) * width + k], Qt::CaseSensitive);
            if (order != 0)
                return order < 0;
        }
        return false;
    };
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const auto firstRunEnd = std::is_sorted_until(order.begin(), order.end(), less);
    if (firstRunEnd == order.end())
        return;
    if (std::is_sorted(firstRunEnd, order.end(), less))
        std::inplace_merge(order.begin(), firstRunEnd, order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), less);

    Batch batch(*this);
    std::vector<Row> sorted;
    sorted.reserve(count);
    for (const int from : order)
        sorted.push_back(std::move(m_rows[size_t(first + from)]));
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + first);
}

void Grid::cellChanged(int row, int col)
{
    if (m_batchDepth > 0)
        return;
    const QModelIndex i = index(row, col);
    Q_EMIT dataChanged(i, i);
    if (row == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
}

Grid::Batch::Batch(Grid &grid) : m_grid(grid)
{
    if (m_grid.m_batchDepth++ == 0)
        m_grid.beginResetModel();
}

Grid::Batch::~Batch()
{
    if (--m_grid.m_batchDepth == 0)
        m_grid.endResetModel();
}

int Grid::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows();
}

int Grid::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant Grid::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    const int col = index.column();
    if (!hasCell(row, col))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::BackgroundRole: {
        if (const auto back = backColour(row, col))
            return back->rgb();
        if (row < m_fixedRows || col < m_fixedCols)
            return Colour{0xE0, 0xE0, 0xE0}.rgb();
        return {};
    }
    case Qt::TextAlignmentRole:
        if (alignment(row, col) == Alignment::CentreCentre)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        const QString tip = toolTip(row, col);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

QVariant Grid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || m_fixedRows < 1 || !hasCell(0, section))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return text(0, section);
    if (role == Qt::TextAlignmentRole)
        return data(index(0, section), role).toInt() | Qt::TextWordWrap;
    return {};
}
