// The table model of a data window: four columns (index, X, Y, fitted Y) over
// the values a Series keeps. Texts are made only for the cells shown, so a
// window never holds a second copy of the numbers.
#pragma once

#include "core/series.h"

#include <QAbstractTableModel>
#include <QColor>

namespace torvel {

QColor ToQColor(Rgb rgb);

class SeriesTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit SeriesTableModel(Series& series, QObject* parent = nullptr);

    // The series shown; null once it has been removed from the document.
    Series* GetSeries() const { return series_; }
    // The series is going away: show nothing from now on.
    void Detach();

    // Model row r shows data index r + 1; model columns are the grid columns.
    static int DataRow(const QModelIndex& index) { return index.row() + 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores the editor's text as it is; normalising is CommitEdit's work.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The engine rewrote cell texts or headers: repaint whatever shows them.
    void CellsChanged();
    // The row count changed (or everything did).
    void Reload();

  private:
    Series* series_;
    int shownRows_ = 0; // the row count the views were last told about
};

} // namespace torvel
