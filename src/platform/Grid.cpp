#include "platform/Grid.h"

#include "platform/HugePages.h"
#include "platform/TextOrder.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {
// A row of a sort, with the first characters of its first keys as numbers.
constexpr size_t kSortHeads = 2;
struct SortEntry
{
    std::array<quint64, kSortHeads> heads = {};
    int index = 0;
};

// Most cells are a few characters long: a plain loop copies them quicker than a call to memmove.
QChar *copyChars(const QChar *from, qsizetype count, QChar *to)
{
    for (qsizetype i = 0; i < count; ++i)
        to[i] = from[i];
    return to + count;
}

// How many first characters the texts of `col` in rows first..last share, empty ones left aside.
qsizetype sharedBeginning(const Grid &grid, int first, int last, int col)
{
    QStringView model;
    qsizetype shared = 0;
    for (int row = first; row <= last; ++row) {
        const QStringView text = grid.textView(row, col);
        if (text.isEmpty())
            continue;
        if (model.isEmpty()) {
            model = text;
            shared = text.size();
        }
        const qsizetype most = std::min(shared, text.size());
        qsizetype same = 0;
        while (same < most && text[same] == model[same])
            ++same;
        shared = same;
        if (shared == 0)
            break;
    }
    return shared;
}
} // namespace

Grid::Grid(int rows, int cols)
{
    setCols(cols);
    setRows(rows);
}

Grid::~Grid() = default;

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
        // emplace_back() value-initialises the row: its cells' ends start at 0, empty.
        while (int(m_rows.size()) < rows)
            m_rows.emplace_back().ends.resize(m_cols);
        if (notify)
            endInsertRows();
    } else {
        if (notify)
            beginRemoveRows({}, rows, old - 1);
        m_rows.erase(m_rows.begin() + rows, m_rows.end());
        if (!m_textBlocks.isEmpty())
            dropUnusedTextBlocks();
        if (notify)
            endRemoveRows();
    }
}

void Grid::reserveRows(qsizetype rows)
{
    m_rows.reserve(size_t(std::min<qsizetype>(rows, INT_MAX)));
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

bool Grid::setTexts(int row, int firstCol, std::span<const QStringView> texts)
{
    if (!hasCell(row, firstCol))
        return false;
    const int lastCol = int(std::min<qsizetype>(m_cols - 1, firstCol + qsizetype(texts.size()) - 1));
    if (lastCol < firstCol)
        return true;
    Row &r = m_rows[size_t(row)];
    const int begin = firstCol == 0 ? 0 : r.ends[firstCol - 1];
    const int oldEnd = r.ends[lastCol];
    qsizetype length = 0;
    for (int c = firstCol; c <= lastCol; ++c)
        length += texts[size_t(c - firstCol)].size();
    const qsizetype tail = r.text.size() - oldEnd;
    const qsizetype size = begin + length + tail;
    // Made beside the old string, which a text may point into. A row's first texts (a loaded or
    // received record) go to the grid's shared blocks; a later change gives the row its own string.
    const bool toBlock = r.text.isEmpty();
    QString own;
    if (!toBlock)
        own = QString(size, Qt::Uninitialized);
    QChar *const start = toBlock ? m_textBlocks.take(size) : own.data();
    QChar *out = copyChars(r.text.constData(), begin, start);
    int end = begin;
    for (int c = firstCol; c <= lastCol; ++c) {
        const QStringView cell = texts[size_t(c - firstCol)];
        out = copyChars(cell.data(), cell.size(), out);
        end += int(cell.size());
        r.ends[c] = end;
    }
    copyChars(r.text.constData() + oldEnd, tail, out);
    for (int c = lastCol + 1; c < m_cols; ++c)
        r.ends[c] += end - oldEnd;
    r.text = toBlock ? QString::fromRawData(start, size) : std::move(own);
    cellsChanged(row, firstCol, lastCol);
    return true;
}

void Grid::dropUnusedTextBlocks()
{
    // Not utf16(), which would give a text of a block its own string.
    const bool used = std::any_of(m_rows.begin(), m_rows.end(), [this](const Row &row) {
        return m_textBlocks.holds(row.text.constData());
    });
    if (!used)
        m_textBlocks.clear();
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

    // The rows are sorted as entries holding the first characters of their keys as numbers, then
    // moved once: a row is heavy to move, and comparing texts at every step costs more than
    // comparing numbers. The texts decide only between keys the numbers cannot tell apart.
    const std::vector<int> keyCols(cols);
    const size_t count = size_t(last - first + 1);
    auto key = [this, first](int entry, int col) { return textView(first + entry, col); };
    std::array<qsizetype, kSortHeads> shared = {};
    for (size_t k = 0; k < keyCols.size() && k < kSortHeads; ++k)
        shared[k] = sharedBeginning(*this, first, last, keyCols[k]);
    std::vector<SortEntry, HugePageAllocator<SortEntry>> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        SortEntry &entry = entries.emplace_back();
        entry.index = int(i);
        for (size_t k = 0; k < keyCols.size() && k < kSortHeads; ++k)
            entry.heads[k] = TextOrder::head(key(int(i), keyCols[k]), shared[k]);
    }
    auto order = [&keyCols, &key](const SortEntry &a, const SortEntry &b) {
        for (size_t k = 0; k < keyCols.size(); ++k) {
            std::optional<int> byKey;
            if (k < kSortHeads)
                byKey = TextOrder::compareHeads(a.heads[k], b.heads[k]);
            if (!byKey)
                byKey = TextOrder::compare(key(a.index, keyCols[k]), key(b.index, keyCols[k]));
            if (*byKey != 0)
                return *byKey;
        }
        return 0;
    };
    auto less = [&order](const SortEntry &a, const SortEntry &b) { return order(a, b) < 0; };
    const auto firstRunEnd = std::is_sorted_until(entries.begin(), entries.end(), less);
    if (firstRunEnd == entries.end())
        return;
    if (std::is_sorted(firstRunEnd, entries.end(), less)) {
        std::inplace_merge(entries.begin(), firstRunEnd, entries.end(), less);
    } else {
        // Equal keys keep their order by their rows' places, so the sort needs no room of its own
        // as a stable sort would.
        std::sort(entries.begin(), entries.end(), [&order](const SortEntry &a, const SortEntry &b) {
            const int byKeys = order(a, b);
            return byKeys != 0 ? byKeys < 0 : a.index < b.index;
        });
    }

    // In place, one cycle of the order at a time: a second set of rows would cost as much memory.
    Batch batch(*this);
    for (size_t start = 0; start < count; ++start) {
        if (entries[start].index == int(start))
            continue;
        Row held = std::move(m_rows[first + start]);
        size_t to = start;
        for (size_t from = size_t(entries[to].index); from != start; from = size_t(entries[to].index)) {
            m_rows[first + to] = std::move(m_rows[first + from]);
            entries[to].index = int(to);
            to = from;
        }
        m_rows[first + to] = std::move(held);
        entries[to].index = int(to);
    }
}

void Grid::cellsChanged(int row, int firstCol, int lastCol)
{
    if (m_batchDepth > 0)
        return;
    Q_EMIT dataChanged(index(row, firstCol), index(row, lastCol));
    if (row == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, firstCol, lastCol);
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
