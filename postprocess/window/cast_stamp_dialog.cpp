#include "postprocess/window/cast_stamp_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include "common/message.h"
#include "common/strformat.h"
#include "navigation/nav_position_text.h"

namespace quorvane {

namespace {
QString pick(bool english, const char* zh, const char* en) {
    return QString::fromUtf8(english ? en : zh);
}
}  // namespace

CastStampDialog::CastStampDialog(bool english, Prompter& prompter, const CastStampTexts& proposed,
                                 bool positionWanted, LogChooser chooseLog, std::string logFolder,
                                 QWidget* parent)
    : QDialog(parent),
      english_(english),
      prompter_(prompter),
      chooseLog_(std::move(chooseLog)),
      logFolder_(std::move(logFolder)) {
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
    fromNavigation_ = new QPushButton(pick(english, "从导航日志…", "From navigation log..."), this);
    fromNavigation_->setAutoDefault(false);
    form->addRow(QString(), fromNavigation_);
    navigationNote_ = new QLabel(this);
    navigationNote_->setTextFormat(Qt::PlainText);
    navigationNote_->setWordWrap(true);
    navigationNote_->hide();
    form->addRow(navigationNote_);
    connect(fromNavigation_, &QPushButton::clicked, this, &CastStampDialog::positionFromNavigation);
    for (QLineEdit* e : {latitude_, longitude_}) {
        e->setVisible(positionWanted);
        form->labelForField(e)->setVisible(positionWanted);
    }
    fromNavigation_->setVisible(positionWanted);
    if (!positionWanted) {
        latitude_->clear();
        longitude_->clear();
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = ok_ =
        buttons->addButton(pick(english, "确定", "OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(pick(english, "取消", "Cancel"), QDialogButtonBox::RejectRole);
    for (QPushButton* b : {ok, cancel}) b->setAutoDefault(false);
    form->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &CastStampDialog::takeValues);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CastStampDialog::positionFromNavigation() {
    // The cast's UTC time comes from the fields as they stand: a wrong offset moves the cast
    // along the track.
    const auto read = readCastStamp(
        {time_->text().trimmed().toStdString(), offset_->text().trimmed().toStdString(), {}, {}});
    if (const auto* message = std::get_if<Message>(&read)) {
        prompter_.ask(*message);
        return;
    }
    const FileDialogRequest request{
        .title = Text{"选择导航日志", "Choose navigation log"},
        .filter = english_ ? "Navigation logs (*.log)|*.log|All files (*.*)|*.*||"
                           : "导航日志 (*.log)|*.log|所有文件 (*.*)|*.*||",
        .folder = logFolder_};
    const std::optional<FileChoice> choice = chooseLog_(request);
    if (!choice) {
        return;
    }
    std::vector<NavLogFile> logs;
    for (const std::string& path : sameRecordingLogs(choice->path)) {
        std::string problem;
        logs.emplace_back(path, problem);
        if (!problem.empty() && path == choice->path) {
            prompter_.ask(Message{BoxType::Warning, Text{problem, problem}});
            return;
        }
    }
    const CastStamp& stamp = std::get<CastStamp>(read);
    const CastTime utc = toUtc(stamp.localTime, stamp.utcOffset);
    const NavLookup lookup = positionFromLogs(logs, secondsSinceEpoch(utc) * 1000);
    const Text said = navLookupText(lookup, utc, kDefaultMaximumGapMs);
    if (!lookup.found) {
        prompter_.ask(Message{BoxType::Warning, said});
        return;
    }
    navigationLatitude_ = QString::fromStdString(fixedDecimals(lookup.found->position.latitude, 7));
    navigationLongitude_ =
        QString::fromStdString(fixedDecimals(lookup.found->position.longitude, 7));
    navigationSource_ = navPositionSource(*lookup.found);
    latitude_->setText(navigationLatitude_);
    longitude_->setText(navigationLongitude_);
    navigationNote_->setText(QString::fromStdString(said.pick(english_)));
    navigationNote_->show();
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
    if (stamp_->position) {
        const bool fromNavigation =
            latitude_->text() == navigationLatitude_ && longitude_->text() == navigationLongitude_;
        stamp_->positionSource = fromNavigation ? navigationSource_ : "typed";
    }
    accept();
}

}  // namespace quorvane
