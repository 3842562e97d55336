#include "device/window/device_status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvane {

// A pane's label. Qt's label clips a text wider than itself wherever the edge falls, through a
// letter or a Chinese character, and "CAST0002.BIN rece" then reads like a good result; this
// one ends such a text in an ellipsis at a character and keeps it whole in its tool tip.
class ElidingLabel : public QLabel {
  public:
    explicit ElidingLabel(QWidget* parent) : QLabel(parent) {
        // Device texts are shown as they are, never as markup.
        setTextFormat(Qt::PlainText);
    }

    void setWholeText(const QString& text) {
        whole_ = text;
        // Marked up, with the text escaped, so that a tool tip never takes a file name for
        // markup either; kept on one line.
        setToolTip(
            text.isEmpty()
                ? QString()
                : QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped()));
        elide();
    }
    const QString& wholeText() const { return whole_; }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        elide();
    }

  private:
    void elide() {
        setText(fontMetrics().elidedText(whole_, Qt::ElideRight, contentsRect().width()));
    }

    QString whole_;
};

namespace {

constexpr int kPaneWidths[2] = {250, 200};
// Two thin bars stacked beside pane 1, the file's above the selection's: narrow enough to
// leave pane 1 room for its progress text in the window's width.
constexpr int kBarWidth = 64;
constexpr int kBarHeight = 7;
// Progress values are kept in hundredths of a percent, as the worker reports them.
constexpr int kWhole = 10000;
// A damaged file's result is not to be read at a glance as a good one: red, after a warning
// sign.
const QColor kDamagedText(192, 0, 0);

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
    panes_[0] = new ElidingLabel(this);
    panes_[0]->setFixedWidth(kPaneWidths[0]);
    addWidget(panes_[0]);

    // Pane 1 gives way to the window's width rather than widening the window; the warning sign
    // takes its place inside the pane.
    auto* messages = new QWidget(this);
    messages->setMaximumWidth(kPaneWidths[1]);
    messages->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(messages);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    damageMark_ = new QLabel(messages);
    const int side = fontMetrics().height();
    damageMark_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    damageMark_->hide();
    panes_[1] = new ElidingLabel(messages);
    panes_[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(damageMark_);
    row->addWidget(panes_[1], 1);
    addWidget(messages, 1);

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
    if (pane == 1) {
        hideProgress();
        setDamageShown(false);
    }
    panes_[pane]->setWholeText(text);
}

void DeviceStatusBar::setProgressText(const QString& text) {
    setDamageShown(false);
    panes_[1]->setWholeText(text);
}

QString DeviceStatusBar::paneText(int pane) const {
    return panes_[pane]->wholeText();
}

const QLabel* DeviceStatusBar::paneLabel(int pane) const {
    return panes_[pane];
}

void DeviceStatusBar::showProgress(int64_t fileProgress, int filePosition, int fileCount) {
    const int file = int(std::clamp<int64_t>(fileProgress, 0, kWhole));
    fileBar_->setValue(file);
    fileBar_->setToolTip(
        QString::fromUtf8(english_ ? "This file: %1%" : "本文件：%1%").arg(file / 100));
    const int count = std::max(fileCount, 1);
    const int position = std::clamp(filePosition, 0, count - 1);
    selectionBar_->setValue(int((int64_t(position) * kWhole + file) / count));
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

void DeviceStatusBar::showResult(const QString& text, bool damaged) {
    setPaneText(1, text);
    setDamageShown(damaged);
}

bool DeviceStatusBar::damageShown() const {
    return !damageMark_->isHidden();
}

void DeviceStatusBar::setDamageShown(bool damaged) {
    damageMark_->setVisible(damaged);
    QPalette text = panes_[1]->palette();
    text.setColor(QPalette::WindowText,
                  damaged ? kDamagedText : palette().color(QPalette::WindowText));
    panes_[1]->setPalette(text);
}

}  // namespace quorvane
