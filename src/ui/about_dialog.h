// The about box: the program's picture, its name and version in yellow on black.
#pragma once

#include <QDialog>

namespace torvel {

class TAboutF : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutF(QWidget* mainWindow);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* main_;
};

} // namespace torvel
