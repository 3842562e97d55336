#include "postprocess/window/send_panel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/strformat.h"
#include "send/send_messages.h"

namespace quorvane {

namespace {
QString pick(bool english, const std::string& zh, const std::string& en) {
    return QString::fromStdString(english ? en : zh);
}
}  // namespace

SendPanel::SendPanel(bool english, SendRequest request, QWidget* parent)
    : QDialog(parent), english_(english) {
    setWindowTitle(pick(english, "发送到采集系统", "Send to acquisition system"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    const int seconds = request.receiptWaitMs / 1000;
    status_ =
        new QLabel(pick(english, strformat("正在发送，等待声呐回报（最长%d秒）…", seconds),
                        strformat("Sending; waiting up to %d s for the sonar's answer…", seconds)),
                   this);
    status_->setTextFormat(Qt::PlainText);
    lines_ = new QListWidget(this);
    stop_ = new QPushButton(pick(english, "停止", "Stop"), this);
    stop_->setAutoDefault(false);
    layout->addWidget(status_);
    layout->addWidget(lines_);
    layout->addWidget(stop_, 0, Qt::AlignRight);
    resize(560, 200);
    connect(stop_, &QPushButton::clicked, this, [this] {
        if (finished_) {
            close();
        } else {
            stopRequested_ = true;
        }
    });
    // Reports cross to the window's thread as queued calls; a panel gone by then takes its
    // queue with it, and it joins the worker before it goes.
    worker_ = std::thread([this, request = std::move(request)] {
        const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
        sendProfile(
            request, *network, [this] { return stopRequested_.load(); },
            [this](const SendReport& r) {
                QMetaObject::invokeMethod(
                    this, [this, r] { report(r); }, Qt::QueuedConnection);
            });
        QMetaObject::invokeMethod(
            this, [this] { finish(); }, Qt::QueuedConnection);
    });
}

SendPanel::~SendPanel() {
    stopRequested_ = true;
    worker_.join();
}

void SendPanel::closeEvent(QCloseEvent* event) {
    stopRequested_ = true;
    QDialog::closeEvent(event);
}

void SendPanel::report(const SendReport& report) {
    ++reported_;
    succeeded_ += sendSucceeded(report) ? 1 : 0;
    auto* line = new QListWidgetItem(
        pick(english_, sendReportText(report).zh, sendReportText(report).en), lines_);
    line->setForeground(sendSucceeded(report) ? QColor(0, 110, 0) : QColor(192, 0, 0));
    if (onReport) {
        onReport(report);
    }
}

void SendPanel::finish() {
    finished_ = true;
    status_->setText(pick(english_, strformat("完成：%d个目标中%d个成功。", reported_, succeeded_),
                          strformat("Done: %d of %d targets succeeded.", succeeded_, reported_)));
    stop_->setText(pick(english_, "关闭", "Close"));
    emit sendFinished();
}

}  // namespace quorvane
