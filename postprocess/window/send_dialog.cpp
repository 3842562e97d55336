#include "postprocess/window/send_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/message.h"

namespace quorvane {

namespace {

enum Column { kName, kKind, kHost, kPort, kDatagram, kListen, kColumns };

QString pick(bool english, const char* zh, const char* en) {
    return QString::fromUtf8(english ? en : zh);
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

constexpr DatagramKind kDatagrams[] = {DatagramKind::S01, DatagramKind::S12, DatagramKind::Calc};

}  // namespace

SendTargetsDialog::SendTargetsDialog(bool english, Prompter& prompter,
                                     const std::vector<AcquisitionTarget>& kept, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(pick(english, "发送到采集系统", "Send to acquisition system"));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, kColumns, this);
    table_->setHorizontalHeaderLabels({pick(english, "名称", "Name"), pick(english, "类型", "Kind"),
                                       pick(english, "主机", "Host"), pick(english, "端口", "Port"),
                                       pick(english, "格式", "Datagram"),
                                       pick(english, "回报端口", "Receipt port")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_);
    auto* buttons = new QDialogButtonBox(this);
    add_ = buttons->addButton(pick(english, "添加", "Add"), QDialogButtonBox::ActionRole);
    QPushButton* remove =
        buttons->addButton(pick(english, "删除", "Remove"), QDialogButtonBox::ActionRole);
    send_ = buttons->addButton(pick(english, "发送", "Send"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(pick(english, "取消", "Cancel"), QDialogButtonBox::RejectRole);
    for (QPushButton* b : {add_, remove, send_, cancel}) b->setAutoDefault(false);
    layout->addWidget(buttons);
    connect(add_, &QPushButton::clicked, this, [this] {
        addRow(AcquisitionTarget{TargetKind::Sis4, {}, 4001}, true);
        table_->setCurrentCell(table_->rowCount() - 1, kHost);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0)
            table_->removeRow(table_->currentRow());
    });
    connect(send_, &QPushButton::clicked, this, &SendTargetsDialog::takeChosen);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (const AcquisitionTarget& target : kept) addRow(target, false);
    if (kept.size() == 1) {
        table_->item(0, kName)->setCheckState(Qt::Checked);
    }
    resize(table_->horizontalHeader()->length() + 80, 260);
}

void SendTargetsDialog::addRow(const AcquisitionTarget& target, bool checked) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    auto* name = new QTableWidgetItem(text(target.name));
    name->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    table_->setItem(row, kName, name);
    auto* kind = new QComboBox(table_);
    for (const TargetKindFacts& facts : allTargetKinds())
        kind->addItem(text(std::string(facts.title)));
    kind->setCurrentIndex(int(target.kind));
    table_->setCellWidget(row, kKind, kind);
    table_->setItem(row, kHost, new QTableWidgetItem(text(target.host)));
    table_->setItem(row, kPort, new QTableWidgetItem(QString::number(target.port)));
    auto* datagram = new QComboBox(table_);
    for (const DatagramKind kind : kDatagrams)
        datagram->addItem(text(std::string(datagramKindName(kind))).toUpper());
    datagram->setCurrentIndex(int(target.datagram));
    table_->setCellWidget(row, kDatagram, datagram);
    table_->setItem(row, kListen, new QTableWidgetItem(QString::number(target.listenPort)));
    connect(kind, &QComboBox::currentIndexChanged, this, [this, kind] {
        for (int r = 0; r < table_->rowCount(); ++r) {
            if (table_->cellWidget(r, kKind) == kind)
                kindChanged(r);
        }
    });
}

// A new kind brings its usual port and datagram.
void SendTargetsDialog::kindChanged(int row) {
    const auto* kind = static_cast<QComboBox*>(table_->cellWidget(row, kKind));
    const TargetKindFacts& facts = allTargetKinds()[size_t(kind->currentIndex())];
    if (facts.defaultPort != 0) {
        table_->item(row, kPort)->setText(QString::number(facts.defaultPort));
    }
    static_cast<QComboBox*>(table_->cellWidget(row, kDatagram))
        ->setCurrentIndex(int(facts.datagram));
}

std::optional<AcquisitionTarget> SendTargetsDialog::rowTarget(int row, std::string* problem) const {
    const auto cell = [&](int column) {
        return table_->item(row, column)->text().trimmed().toStdString();
    };
    const auto* kind = static_cast<QComboBox*>(table_->cellWidget(row, kKind));
    const auto* datagram = static_cast<QComboBox*>(table_->cellWidget(row, kDatagram));
    const TargetKindFacts& facts = allTargetKinds()[size_t(kind->currentIndex())];
    std::optional<AcquisitionTarget> target =
        parseTarget(std::string(facts.name) + "@" + cell(kHost) + ":" + cell(kPort) + "/" +
                    std::string(datagramKindName(kDatagrams[datagram->currentIndex()])));
    const std::optional<AcquisitionTarget> listen =
        parseTarget(std::string(facts.name) + "@h:" + cell(kListen));
    if (!target || !listen) {
        if (problem) {
            *problem = std::to_string(row + 1);
        }
        return std::nullopt;
    }
    target->listenPort = listen->port;
    // One line in the kept file.
    target->name = table_->item(row, kName)->text().simplified().toStdString();
    return target;
}

std::vector<AcquisitionTarget> SendTargetsDialog::kept() const {
    std::vector<AcquisitionTarget> targets;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (const auto target = rowTarget(row, nullptr))
            targets.push_back(*target);
    }
    return targets;
}

void SendTargetsDialog::takeChosen() {
    std::vector<AcquisitionTarget> chosen;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, kName)->checkState() != Qt::Checked) {
            continue;
        }
        std::string problem;
        const std::optional<AcquisitionTarget> target = rowTarget(row, &problem);
        if (!target) {
            prompter_.ask({BoxType::WarningOkCancel,
                           {"第" + problem + "行需要主机和1到65535的端口号！",
                            "Row " + problem + " needs a host and ports from 1 to 65535!"}});
            return;
        }
        chosen.push_back(*target);
    }
    if (chosen.empty()) {
        prompter_.ask({BoxType::WarningOkCancel,
                       {"请勾选要发送的采集系统！", "Check the acquisition systems to send to!"}});
        return;
    }
    chosen_ = std::move(chosen);
    accept();
}

}  // namespace quorvane
