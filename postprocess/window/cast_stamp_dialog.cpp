#include "postprocess/window/cast_stamp_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include "common/message.h"

namespace quorvane {

namespace {
QString pick(bool english, const char* zh, const char* en) {
    return QString::fromUtf8(english ? en : zh);
}
}  // namespace

CastStampDialog::CastStampDialog(bool english, Prompter& prompter, const CastStampTexts& proposed,
                                 bool positionWanted, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(pick(english, "投放时间与位置", "Cast time and position"));
    auto* form = new QFormLayout(this);
    const auto edit = [&](const std::string& text, const char* zh, const char* en) {
        auto* e = new QLineEdit(QString::fromStdString(text), this);
        auto* label = new QLabel(pick(english, zh, en), this);
        label->setTextFormat(Qt::PlainText);
        form->addRow(label, e);
        return e;
    };
    time_ = edit(proposed.time, "投放时间（本地）：", "Cast time (local):");
    time_->setPlaceholderText("YYYY-MM-DD HH:MM:SS");
    // Qt sizes an edit for 17 "x", narrower than a whole time, which would then scroll its first
    // digits out of sight: room for the time, the edit's inner margins and the cursor.
    const QFontMetrics metrics = time_->fontMetrics();
    QStyleOptionFrame frame;
    frame.initFrom(time_);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, time_);
    const QSize text(metrics.horizontalAdvance("0000-00-00 00:00:00") + metrics.averageCharWidth(),
                     metrics.height());
    time_->setMinimumWidth(
        style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, time_).width());
    offset_ = edit(proposed.utcOffset, "与UTC相差（小时）：", "UTC offset (hours):");
    // The instrument's clock was set from a PC's local time; which offset is proposed is said,
    // since a wrong one moves the cast in time and, taken from navigation, in place.
    auto* offsetNote = new QLabel(
        pick(english, "预设为本机在投放时的时区", "Proposed: this PC's offset at the cast time"),
        this);
    offsetNote->setTextFormat(Qt::PlainText);
    offsetNote->setEnabled(false);
    form->addRow(QString(), offsetNote);
    latitude_ = edit(proposed.latitude, "纬度（°，南为负）：", "Latitude (°, south negative):");
    longitude_ = edit(proposed.longitude, "经度（°，西为负）：", "Longitude (°, west negative):");
    for (QLineEdit* e : {latitude_, longitude_}) {
        e->setVisible(positionWanted);
        form->labelForField(e)->setVisible(positionWanted);
    }
    if (!positionWanted) {
        latitude_->clear();
        longitude_->clear();
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(pick(english, "确定", "OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(pick(english, "取消", "Cancel"), QDialogButtonBox::RejectRole);
    for (QPushButton* b : {ok, cancel}) b->setAutoDefault(false);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &CastStampDialog::takeValues);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CastStampDialog::takeValues() {
    const auto result = readCastStamp(
        {time_->text().trimmed().toStdString(), offset_->text().trimmed().toStdString(),
         latitude_->text().toStdString(), longitude_->text().toStdString()});
    if (const auto* message = std::get_if<Message>(&result)) {
        prompter_.ask(*message);
        return;
    }
    stamp_ = std::get<CastStamp>(result);
    accept();
}

}  // namespace quorvane
