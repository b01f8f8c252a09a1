// "Import Table": the sniffed choices of a table file, each changeable, and a
// preview of its first rows exactly as they will load. The rules are in
// files/import_table_dialog; this window copies its boxes to and from them.
#pragma once

#include "core/feedback.h"
#include "files/import_table_dialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QTableView;

namespace torvel {

inline constexpr int ImportTableHelpContext = 520;

class TablePreviewModel;

class TImportTableF : public QDialog {
    Q_OBJECT

  public:
    TImportTableF(ImportTableState state, Feedback& feedback, QWidget* parent = nullptr);
    ~TImportTableF() override;

    const ImportTableState& State() const { return state_; }

  signals:
    void HelpRequested(int context);

  public slots:
    void accept() override;

  private:
    void SeparatorChosen();
    void SeriesItemChanged(QListWidgetItem* item);
    // Copies the state into the boxes, the lists and the preview.
    void Show();

    ImportTableState state_;
    Feedback& feedback_;
    TablePreviewModel* model_;
    QComboBox* separator_;
    QLineEdit* other_;
    QComboBox* decimal_;
    QSpinBox* header_;
    QSpinBox* skip_;
    QCheckBox* comments_;
    QComboBox* xColumn_;
    QListWidget* series_;
    QTableView* preview_;
    QLabel* note_;
    QPushButton* ok_;
    // The names the column lists were last made from.
    std::vector<std::string> listed_;
    int listedColumns_ = -1;
    bool showing_ = false;
};

} // namespace torvel
