#include "ui/series_table_model.h"

#include "core/data_model.h"

#include <cmath>

namespace torvel {

QColor ToQColor(Rgb rgb) {
    return QColor(rgb.R, rgb.G, rgb.B);
}

namespace {

// Black or white text, whichever stands out more on a series colour (dark
// blues and purples take white).
QColor TextOn(Rgb rgb) {
    auto linear = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double l = 0.2126 * linear(rgb.R) + 0.7152 * linear(rgb.G) + 0.0722 * linear(rgb.B);
    const bool white = 1.05 / (l + 0.05) > (l + 0.05) / 0.05;
    return white ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace

SeriesTableModel::SeriesTableModel(Series& series, QObject* parent)
    : QAbstractTableModel(parent), series_(&series), shownRows_(series.IndexCount) {}

void SeriesTableModel::Detach() {
    beginResetModel();
    series_ = nullptr;
    shownRows_ = 0;
    endResetModel();
}

int SeriesTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int SeriesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant SeriesTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = DataRow(index);
    if (!series_ || row > series_->IndexCount) return {}; // gone, or shrank before Reload
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (col == IndexColumn) return QString::fromStdString(Series::IndexCellText(row));
        return QString::fromStdString(series_->Cell(col, row));
    case Qt::EditRole:
        // The editor opens on every digit kept, not on the rounded text shown.
        if (col == IndexColumn) return QString::fromStdString(Series::IndexCellText(row));
        return QString::fromStdString(series_->EditorText(col, row));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (col == IndexColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        if (col == IndexColumn) return ToQColor(SeriesColorOf(series_->SeriesNumber));
        return {};
    case Qt::ForegroundRole:
        // The index column is not enabled (it cannot be selected) but must not look greyed.
        if (col == IndexColumn) return TextOn(SeriesColorOf(series_->SeriesNumber));
        return {};
    default:
        return {};
    }
}

QVariant SeriesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!series_) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section > 3) return {};
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(series_->Header(section));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        case Qt::BackgroundRole:
            return ToQColor(SeriesColorOf(series_->SeriesNumber));
        case Qt::ForegroundRole:
            return TextOn(SeriesColorOf(series_->SeriesNumber));
        default:
            return {};
        }
    }
    if (role == Qt::DisplayRole && section >= 0 && section < shownRows_)
        return QString::fromStdString(Series::IndexCellText(section + 1));
    return {};
}

Qt::ItemFlags SeriesTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    switch (index.column()) {
    case XColumn:
    case YColumn:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    case YFitColumn:
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    default:
        return Qt::NoItemFlags; // the fixed index column
    }
}

bool SeriesTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
    const int col = index.column();
    const int row = DataRow(index);
    if (col != XColumn && col != YColumn) return false;
    if (!series_ || row > series_->IndexCount) return false;
    series_->SetCell(col, row, value.toString().toStdString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void SeriesTableModel::CellsChanged() {
    if (!series_) return;
    if (shownRows_ != series_->IndexCount) {
        Reload();
        return;
    }
    if (shownRows_ > 0)
        emit dataChanged(index(0, 0), index(shownRows_ - 1, 3), {Qt::DisplayRole, Qt::EditRole});
    emit headerDataChanged(Qt::Horizontal, 0, 3);
}

void SeriesTableModel::Reload() {
    beginResetModel();
    shownRows_ = series_ ? series_->IndexCount : 0;
    endResetModel();
}

} // namespace torvel
