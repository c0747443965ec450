#pragma once

#include "platform/Colour.h"
#include "platform/HugePages.h"
#include "platform/TextBlocks.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// The grid of the program's tables: rows and columns of plain text cells, with fixed
// (header) rows and a fixed first column, a current cell, per-cell back colour and
// alignment, and a stable sort of a row block. A QTableView shows it directly.
//
// Cells are stored row by row: the texts of a row sit end to end in one string with the end
// offset of each cell beside it. A row written whole for the first time (a loaded or received
// record) keeps that string in large blocks shared with other rows, so a grid of a year's
// records costs a few allocations, not one a row or a cell. A sort moves rows, never copies of
// cell texts.
class Grid : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class Alignment { Default, CentreCentre };

    Grid(int rows = 2, int cols = 2);
    ~Grid() override;

    int rows() const { return int(m_rows.size()); }
    // Whether rows' texts are held in shared blocks (freed once no row uses them).
    bool holdsTextBlocks() const { return !m_textBlocks.isEmpty(); }
    void setRows(int rows);
    // Room for `rows` rows without moving them again as they are added.
    void reserveRows(qsizetype rows);
    int cols() const { return m_cols; }
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return m_fixedCols; }

    // Layout, in twips.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int width() const { return m_width; }
    void setWidth(int twips);

    bool hasCell(int row, int col) const { return row >= 0 && row < rows() && col >= 0 && col < m_cols; }
    // The text of a cell; empty for a cell outside the grid.
    QString text(int row, int col) const { return textView(row, col).toString(); }
    QStringView textView(int row, int col) const
    {
        if (!hasCell(row, col))
            return {};
        const Row &r = m_rows[size_t(row)];
        const int begin = col == 0 ? 0 : r.ends[col - 1];
        return QStringView(r.text).mid(begin, r.ends[col] - begin);
    }
    // Writes a cell; returns false (and changes nothing) for a cell outside the grid.
    bool setText(int row, int col, QStringView text);
    // Writes the cells of `row` from `firstCol` on, one text each (those beyond the last column
    // are left out): the row's string is made once, at its full size. Returns false (and changes
    // nothing) when the first cell is outside the grid.
    bool setTexts(int row, int firstCol, std::span<const QStringView> texts);
    // Appends one row holding the given texts from column 0 on (missing ones empty).
    void appendRow(const QStringList &texts = {});

    int currentRow() const { return m_currentRow; }
    int currentCol() const { return m_currentCol; }
    // Makes a cell current; refused for fixed rows and columns and cells outside the grid.
    bool setCurrentCell(int row, int col);
    // A user's action on a cell: makes it current and notifies the window.
    void userActivate(int row, int col);

    // Back colour of a cell; none means the system's window background. The model shows it
    // as the rgb() number in the background role, which the Qt layer turns into a colour.
    std::optional<Colour> backColour(int row, int col) const;
    bool setBackColour(int row, int col, std::optional<Colour> colour);
    Alignment alignment(int row, int col) const;
    bool setAlignment(int row, int col, Alignment alignment);
    // A cell's tooltip (why it is marked, say); shown in the tooltip role.
    QString toolTip(int row, int col) const;
    bool setToolTip(int row, int col, const QString &toolTip);

    // Sorts rows first..last by the text of `col`, ascending and case-sensitive, keeping
    // rows whole and equal keys in their order. Rows already in order, or a sorted run
    // followed by a sorted run (a day's rows appended after sorted ones), are merged.
    void sortRows(int first, int last, int col) { sortRows(first, last, {col}); }
    // The same by several columns: the first decides, the next breaks its ties, and so on.
    // Sorting by (a, b) gives what sorting by b and then by a gives.
    void sortRows(int first, int last, std::initializer_list<int> cols);

    // Suppresses per-cell notifications while a block of changes is made; the view is
    // told once at the end. Nests.
    class Batch
    {
    public:
        explicit Batch(Grid &grid);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        Grid &m_grid;
    };

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Row 0 doubles as the horizontal header, so a view can keep it in sight.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void layoutSettingsChanged();
    void currentCellChanged();
    void cellActivated(int row, int col);

private:
    struct CellStyle
    {
        int col;
        std::optional<Colour> back;
        Alignment alignment = Alignment::Default;
        QString toolTip;
    };
    struct Row
    {
        QString text; // its own string, or a part of a text block
        QVarLengthArray<int, 16> ends;
        std::unique_ptr<std::vector<CellStyle>> styles;
    };

    CellStyle *style(int row, int col, bool create);
    const CellStyle *style(int row, int col) const;
    void cellChanged(int row, int col) { cellsChanged(row, col, col); }
    void cellsChanged(int row, int firstCol, int lastCol);
    // Sets one part of a cell's style; a cell keeps no style entry for a default value.
    template<typename T> bool setStyle(int row, int col, T CellStyle::*part, T value, bool isDefault);
    void endBatch();

    // Rows written whole for the first time (loaded or received records) keep their texts in shared
    // blocks; they are freed once no row's text is in them.
    void dropUnusedTextBlocks();

    std::vector<Row, HugePageAllocator<Row>> m_rows;
    TextBlocks m_textBlocks;
    int m_cols = 0;
    int m_fixedRows = 1;
    const int m_fixedCols = 1; // every grid heads its rows with one column
    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_defaultRowHeight = 240;
    int m_width = 0;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_batchDepth = 0;
    bool m_batchReset = false;
};
