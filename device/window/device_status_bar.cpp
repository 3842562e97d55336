#include "device/window/device_status_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvane {

namespace {

constexpr int kPaneWidths[2] = {250, 200};
// Two thin bars stacked beside pane 1, the file's above the selection's: narrow enough to
// leave pane 1 room for its progress text in the window's width.
constexpr int kBarWidth = 64;
constexpr int kBarHeight = 7;
// Progress values are kept in hundredths of a percent, as the worker reports them.
constexpr int kWhole = 10000;

QProgressBar* progressBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setFixedSize(kBarWidth, kBarHeight);
    bar->setRange(0, kWhole);
    bar->setTextVisible(false);
    return bar;
}

}  // namespace

DeviceStatusBar::DeviceStatusBar(bool english, QWidget* parent)
    : QStatusBar(parent), english_(english) {
    setSizeGripEnabled(false);
    for (int pane = 0; pane < 2; ++pane) {
        QLabel* label = new QLabel(this);
        // Device texts are shown as they are, never as markup.
        label->setTextFormat(Qt::PlainText);
        // Pane 1 gives way to the window's width rather than widening the window.
        label->setMinimumWidth(pane == 0 ? kPaneWidths[0] : 0);
        label->setMaximumWidth(kPaneWidths[pane]);
        label->setSizePolicy(pane == 0 ? QSizePolicy::Fixed : QSizePolicy::Ignored,
                             QSizePolicy::Preferred);
        addWidget(label, pane);
        panes_[pane] = label;
    }
    progress_ = new QWidget(this);
    auto* layout = new QVBoxLayout(progress_);
    layout->setContentsMargins(0, 0, 2, 0);
    layout->setSpacing(2);
    fileBar_ = progressBar(progress_);
    selectionBar_ = progressBar(progress_);
    layout->addWidget(fileBar_);
    layout->addWidget(selectionBar_);
    addPermanentWidget(progress_);
    progress_->hide();
}

void DeviceStatusBar::setPaneText(int pane, const QString& text) {
    panes_[pane]->setText(text);
}

QString DeviceStatusBar::paneText(int pane) const {
    return panes_[pane]->text();
}

void DeviceStatusBar::showProgress(int64_t fileProgress, bool fileEnded, int filePosition,
                                   int fileCount) {
    const int file = int(std::clamp<int64_t>(fileProgress, 0, kWhole));
    fileBar_->setValue(file);
    fileBar_->setToolTip(
        QString::fromUtf8(english_ ? "This file: %1%" : "本文件：%1%").arg(file / 100));
    const int count = std::max(fileCount, 1);
    const int position = std::clamp(filePosition, 0, count - 1);
    selectionBar_->setValue(
        int((int64_t(position) * kWhole + (fileEnded ? kWhole : file)) / count));
    selectionBar_->setToolTip(QString::fromUtf8(english_ ? "File %1 of %2" : "第%1个文件，共%2个")
                                  .arg(position + 1)
                                  .arg(count));
    progress_->show();
}

void DeviceStatusBar::hideProgress() {
    progress_->hide();
}

bool DeviceStatusBar::progressShown() const {
    return !progress_->isHidden();
}

}  // namespace quorvane
