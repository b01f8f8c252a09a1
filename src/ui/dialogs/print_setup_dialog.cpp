#include "ui/dialogs/print_setup_dialog.h"

#include "ui/dialogs/dialog_support.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace torvel {

namespace {

// The papers offered for a PDF file.
constexpr QPageSize::PageSizeId PdfPapers[] = {
    QPageSize::A3,     QPageSize::A4,    QPageSize::A5,        QPageSize::B5,
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
};

PaperChoice ChoiceOf(const QPageSize& size) {
    return {size.name().toStdString(), static_cast<int>(size.id())};
}

} // namespace

TPrintSetupF::TPrintSetupF(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(QStringLiteral("Print Setup"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"), this);
    printerName_ = new QComboBox(printerBox);
    printerName_->setObjectName(QStringLiteral("PrinterName"));
    auto* nameLabel = new QLabel(QStringLiteral("&Name:"), printerBox);
    nameLabel->setBuddy(printerName_);
    auto* printerLayout = new QFormLayout(printerBox);
    printerLayout->addRow(nameLabel, printerName_);

    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), this);
    paperSize_ = new QComboBox(paperBox);
    paperSize_->setObjectName(QStringLiteral("PaperSize"));
    auto* sizeLabel = new QLabel(QStringLiteral("Si&ze:"), paperBox);
    sizeLabel->setBuddy(paperSize_);
    auto* paperLayout = new QFormLayout(paperBox);
    paperLayout->addRow(sizeLabel, paperSize_);

    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    orientationBox->setObjectName(QStringLiteral("Orientation"));
    orientation_ = new QButtonGroup(orientationBox);
    auto* portrait = new QRadioButton(QStringLiteral("P&ortrait"), orientationBox);
    portrait->setObjectName(QStringLiteral("Portrait"));
    auto* landscape = new QRadioButton(QStringLiteral("&Landscape"), orientationBox);
    landscape->setObjectName(QStringLiteral("Landscape"));
    orientation_->addButton(portrait, 0);
    orientation_->addButton(landscape, 1);
    KeepTabOnChecked(*orientation_);
    auto* orientationLayout = new QVBoxLayout(orientationBox);
    orientationLayout->addWidget(portrait);
    orientationLayout->addWidget(landscape);

    okBtn_ = new QPushButton(QStringLiteral("OK"), this);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    connect(okBtn_, &QPushButton::clicked, this, &TPrintSetupF::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printerName_, &QComboBox::currentIndexChanged, this, &TPrintSetupF::PrinterNameChange);

    auto* lower = new QHBoxLayout;
    lower->addWidget(paperBox, 1);
    lower->addWidget(orientationBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(lower);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    printerName_->setMinimumWidth(280);

    setTabOrder(printerName_, paperSize_);
    setTabOrder(paperSize_, portrait);
    setTabOrder(portrait, okBtn_);
    setTabOrder(okBtn_, cancelBtn_);
    FormShow();
}

bool TPrintSetupF::IsPdfPrinter(int index) const {
    return index == static_cast<int>(state_.Printers.size()) - 1;
}

std::vector<PaperChoice> TPrintSetupF::PapersOf(int printerIndex, int* defaultKey) const {
    std::vector<PaperChoice> papers;
    if (IsPdfPrinter(printerIndex)) {
        for (QPageSize::PageSizeId id : PdfPapers)
            papers.push_back(ChoiceOf(QPageSize(id)));
        *defaultKey = static_cast<int>(QPageSize::A4);
        return papers;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(
        QString::fromStdString(state_.Printers[static_cast<std::size_t>(printerIndex)]));
    for (const QPageSize& size : info.supportedPageSizes())
        if (size.id() != QPageSize::Custom) papers.push_back(ChoiceOf(size));
    // A printer that names none still prints on the common papers.
    if (papers.empty())
        for (QPageSize::PageSizeId id : PdfPapers)
            papers.push_back(ChoiceOf(QPageSize(id)));
    *defaultKey = static_cast<int>(info.defaultPageSize().id());
    return papers;
}

void TPrintSetupF::FormShow() {
    state_ = {};
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        state_.Printers.push_back(name.toStdString());
    state_.Printers.push_back(PdfPrinterName);
    const bool pdf = printer_.outputFormat() == QPrinter::PdfFormat;
    state_.Printer = static_cast<int>(state_.Printers.size()) - 1;
    if (!pdf)
        for (std::size_t i = 0; i + 1 < state_.Printers.size(); ++i)
            if (QString::fromStdString(state_.Printers[i]) == printer_.printerName())
                state_.Printer = static_cast<int>(i);
    // The paper the printer has now is the one to keep.
    state_.Papers = {ChoiceOf(printer_.pageLayout().pageSize())};
    state_.Paper = 0;
    int defaultKey = 0;
    PrinterChanged(state_, PapersOf(state_.Printer, &defaultKey), defaultKey);
    state_.Portrait = printer_.pageLayout().orientation() == QPageLayout::Portrait;

    const QSignalBlocker block(printerName_);
    printerName_->clear();
    for (const std::string& name : state_.Printers)
        printerName_->addItem(QString::fromStdString(name));
    printerName_->setCurrentIndex(state_.Printer);
    ShowPapers();
    orientation_->button(state_.Portrait ? 0 : 1)->setChecked(true);
    printerName_->setFocus();
}

void TPrintSetupF::ShowPapers() {
    const QSignalBlocker block(paperSize_);
    paperSize_->clear();
    for (const PaperChoice& p : state_.Papers)
        paperSize_->addItem(QString::fromStdString(p.Name));
    paperSize_->setCurrentIndex(state_.Paper);
}

void TPrintSetupF::PrinterNameChange(int index) {
    if (index < 0) return;
    state_.Paper = paperSize_->currentIndex();
    state_.Printer = index;
    int defaultKey = 0;
    PrinterChanged(state_, PapersOf(index, &defaultKey), defaultKey);
    ShowPapers();
}

void TPrintSetupF::OKBtnClick() {
    state_.Printer = printerName_->currentIndex();
    state_.Paper = paperSize_->currentIndex();
    state_.Portrait = orientation_->checkedId() != 1;
    if (IsPdfPrinter(state_.Printer)) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(
            QString::fromStdString(state_.Printers[static_cast<std::size_t>(state_.Printer)]));
    }
    const int key = ChosenPaperKey(state_, static_cast<int>(QPageSize::A4));
    printer_.setPageSize(QPageSize(static_cast<QPageSize::PageSizeId>(key)));
    printer_.setPageOrientation(state_.Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    accept();
}

} // namespace torvel
