#include "postprocess/window/cast_library_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>
#include <limits>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "common/strformat.h"
#include "postprocess/compare/compare_messages.h"
#include "postprocess/window/chart_widget.h"
#include "postprocess/window/file_window.h"

namespace quorvane {

namespace {

QString pick(bool english, const char* zh, const char* en) {
    return QString::fromUtf8(english ? en : zh);
}

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

enum Column { kTime, kFile, kDevice, kPosition, kDepth, kSurface, kMean, kRecords, kColumns };

struct ColumnTitle {
    const char* zh;
    const char* en;
};
constexpr ColumnTitle kColumnTitles[kColumns] = {
    {"本地时间", "Local time"},       {"文件", "File"},
    {"设备ID", "Device ID"},          {"位置", "Position"},
    {"最大深度(m)", "Max depth (m)"}, {"表层声速(m/s)", "Surface (m/s)"},
    {"平均声速(m/s)", "Mean (m/s)"},  {"记录数", "Records"}};

constexpr SurveyOrder kOrders[] = {SurveyOrder::Exclusive, SurveyOrder::Special,
                                   SurveyOrder::Order1a, SurveyOrder::Order1b, SurveyOrder::Order2};

constexpr int kCastIndexRole = Qt::UserRole;
constexpr int kSortKeyRole = Qt::UserRole + 1;

// Sorts by the number behind the text: "100.00" comes after "20.00", and a cast without a
// profile ("-") before every other.
class NumberItem : public QTableWidgetItem {
  public:
    NumberItem(const std::string& text, double key) : QTableWidgetItem(qs(text)) {
        setData(kSortKeyRole, key);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(kSortKeyRole).toDouble() < other.data(kSortKeyRole).toDouble();
    }
};

QTableWidgetItem* factItem(const std::optional<CastFacts>& facts, double CastFacts::*member) {
    if (!facts) {
        return new NumberItem("-", -std::numeric_limits<double>::infinity());
    }
    return new NumberItem(fixedDecimals((*facts).*member, 2), (*facts).*member);
}

std::string positionText(const std::optional<CastPosition>& position) {
    if (!position) {
        return "-";
    }
    std::string text = fixedDecimals(position->latitude, 5);
    text += ", ";
    text += fixedDecimals(position->longitude, 5);
    return text;
}

std::string deviceText(int64_t deviceId) {
    return strformat("%08lld", static_cast<long long>(deviceId));
}

// Paths as the library and the file list spell them may differ (a relative path, a link); the
// files they name are compared where both exist.
bool samePath(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    std::error_code failed;
    return !a.empty() && !b.empty() &&
           std::filesystem::equivalent(pathFromUtf8(a), pathFromUtf8(b), failed) && !failed;
}

// The hull probe against a fitted profile, typed in a small box that stays open until closed,
// so that one reading after another can be checked.
class ProbeCheckDialog : public QDialog {
  public:
    ProbeCheckDialog(bool english, std::vector<ProfilePoint> profile, const QString& draft,
                     QWidget* parent)
        : QDialog(parent), english_(english), profile_(std::move(profile)) {
        setWindowTitle(pick(english, "表层声速检查", "Probe check"));
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        speed_ = field("probeSpeedEdit", "");
        draft_ = field("draftEdit", draft);
        limit_ = field("limitEdit", qs(fixedDecimals(kProbeSpeedLimit, 0)));
        form->addRow(pick(english, "探头声速(m/s):", "Probe speed (m/s):"), speed_);
        form->addRow(pick(english, "吃水(m):", "Draft (m):"), draft_);
        form->addRow(pick(english, "限差(m/s):", "Limit (m/s):"), limit_);
        layout->addLayout(form);
        result_ = new QLabel(this);
        result_->setObjectName("resultLine");
        result_->setTextFormat(Qt::PlainText);
        result_->setWordWrap(true);
        result_->setMinimumWidth(360);
        layout->addWidget(result_);
        auto* buttons = new QHBoxLayout;
        auto* check = new QPushButton(pick(english, "检查", "Check"), this);
        check->setObjectName("checkButton");
        auto* close = new QPushButton(pick(english, "关闭", "Close"), this);
        close->setObjectName("closeButton");
        for (QPushButton* b : {check, close}) b->setAutoDefault(false);
        buttons->addStretch();
        buttons->addWidget(check);
        buttons->addWidget(close);
        layout->addLayout(buttons);
        connect(check, &QPushButton::clicked, this, [this] { runCheck(); });
        connect(close, &QPushButton::clicked, this, &QDialog::accept);
    }

  private:
    QLineEdit* field(const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(name);
        return edit;
    }

    // The field that does not read is named and handed the cursor; nothing is checked on a
    // guess.
    void runCheck() {
        const auto number = [](QLineEdit* edit) {
            return parseFieldNumber(edit->text().toStdString());
        };
        const std::optional<double> speed = number(speed_), draft = number(draft_),
                                    limit = number(limit_);
        const auto refuse = [this](QLineEdit* edit, const char* zh, const char* en) {
            result_->setText(pick(english_, zh, en));
            edit->setFocus();
            edit->selectAll();
        };
        if (!speed || !(*speed > 0.0)) {
            refuse(speed_, "探头声速：请输入以米/秒为单位的正数。",
                   "Probe speed: enter a positive number of m/s.");
        } else if (!draft || *draft < 0.0) {
            refuse(draft_, "吃水：请输入换能器在水面下的米数（0或更大）。",
                   "Draft: enter the transducer's depth below the surface in metres, 0 or more.");
        } else if (!limit || !(*limit > 0.0)) {
            refuse(limit_, "限差：请输入以米/秒为单位的正数。",
                   "Limit: enter a positive number of m/s.");
        } else {
            result_->setText(qs(probeCheckText(checkSurfaceProbe(profile_, *speed, *draft, *limit))
                                    .pick(english_)));
        }
    }

    const bool english_;
    const std::vector<ProfilePoint> profile_;
    QLineEdit* speed_ = nullptr;
    QLineEdit* draft_ = nullptr;
    QLineEdit* limit_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace

CastLibraryWindow::CastLibraryWindow(bool english, FileWindow& main, std::string libraryPath)
    : QWidget(&main, Qt::Window),
      english_(english),
      main_(main),
      libraryPath_(std::move(libraryPath)) {
    setWindowTitle(pick(english, "投放记录", "Cast library"));
    auto* layout = new QVBoxLayout(this);

    auto* filter = new QHBoxLayout;
    sinceCheck_ = new QCheckBox(pick(english, "从…起", "Since"), this);
    sinceEdit_ = new QDateEdit(QDate::currentDate(), this);
    sinceEdit_->setDisplayFormat("yyyy-MM-dd");
    sinceEdit_->setCalendarPopup(true);
    sinceEdit_->setEnabled(false);
    // The style's own size hint leaves the last digit under the arrow with the Windows dialog
    // font: room for a whole date, the frame and the arrow.
    QStyleOptionSpinBox box;
    box.initFrom(sinceEdit_);
    box.frame = true;
    const QFontMetrics metrics = sinceEdit_->fontMetrics();
    const QSize date(metrics.horizontalAdvance("0000-00-00") + metrics.averageCharWidth(),
                     metrics.height());
    sinceEdit_->setMinimumWidth(
        style()->sizeFromContents(QStyle::CT_SpinBox, &box, date, sinceEdit_).width());
    filter->addWidget(sinceCheck_);
    filter->addWidget(sinceEdit_);
    filter->addStretch();
    layout->addLayout(filter);

    table_ = new QTableWidget(0, kColumns, this);
    QStringList headers;
    for (const ColumnTitle& title : kColumnTitles) headers << pick(english, title.zh, title.en);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSortIndicator(kTime, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    layout->addWidget(table_, 1);

    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* actions = new QHBoxLayout;
    auto* draftLabel = new QLabel(pick(english, "吃水(m):", "Draft (m):"), this);
    draftLabel->setTextFormat(Qt::PlainText);
    draftEdit_ = new QLineEdit("0", this);
    draftEdit_->setMaximumWidth(draftEdit_->fontMetrics().horizontalAdvance("0000.00") + 12);
    auto* orderLabel = new QLabel(pick(english, "测量等级:", "Order:"), this);
    orderLabel->setTextFormat(Qt::PlainText);
    orderBox_ = new QComboBox(this);
    for (const SurveyOrder order : kOrders) {
        orderBox_->addItem(qs(surveyOrderName(order).pick(english)));
    }
    orderBox_->setCurrentIndex(2);  // Order 1a: the order most hydrographic surveys are held to
    compareButton_ =
        new QPushButton(pick(english, "与上一次投放比较", "Compare with previous cast"), this);
    probeButton_ = new QPushButton(pick(english, "表层声速检查…", "Probe check..."), this);
    for (QPushButton* b : {compareButton_, probeButton_}) b->setAutoDefault(false);
    for (QWidget* w :
         {static_cast<QWidget*>(draftLabel), static_cast<QWidget*>(draftEdit_),
          static_cast<QWidget*>(orderLabel), static_cast<QWidget*>(orderBox_),
          static_cast<QWidget*>(compareButton_), static_cast<QWidget*>(probeButton_)}) {
        actions->addWidget(w);
    }
    actions->addStretch();
    layout->addLayout(actions);

    verdict_ = new QLabel(this);
    verdict_->setTextFormat(Qt::PlainText);
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(verdict_);

    connect(sinceCheck_, &QCheckBox::toggled, this, [this](bool on) {
        sinceEdit_->setEnabled(on);
        refresh();
    });
    connect(sinceEdit_, &QDateEdit::dateChanged, this, [this] {
        if (sinceCheck_->isChecked())
            refresh();
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) { showCast(row); });
    connect(compareButton_, &QPushButton::clicked, this, [this] { compareWithPrevious(); });
    connect(probeButton_, &QPushButton::clicked, this, [this] { checkProbe(); });
    resize(900, 420);
}

void CastLibraryWindow::present() {
    // A window already open gets no show event: the library may have grown since.
    if (isVisible()) {
        refresh();
    }
    show();
    raise();
    activateWindow();
}

void CastLibraryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void CastLibraryWindow::say(QLabel* line, const Text& text) {
    line->setText(qs(text.pick(english_)));
}

std::optional<CastLibrary> CastLibraryWindow::openLibrary(QLabel* line) {
    // Opening makes the file: a folder without a library keeps having none until a cast is
    // recorded.
    std::error_code failed;
    if (!std::filesystem::exists(pathFromUtf8(libraryPath_), failed)) {
        say(line, {strformat("此文件夹还没有投放记录库（%s）。", libraryPath_.c_str()),
                   strformat("This folder has no cast library yet (%s).", libraryPath_.c_str())});
        return std::nullopt;
    }
    LibraryResult<CastLibrary> opened = CastLibrary::open(libraryPath_);
    if (!opened.ok()) {
        say(line, opened.problem);
    }
    return std::move(opened.value);
}

void CastLibraryWindow::refresh() {
    table_->setSortingEnabled(false);
    table_->setRowCount(0);
    casts_.clear();
    std::optional<CastLibrary> library = openLibrary(status_);
    if (!library) {
        table_->setSortingEnabled(true);
        return;
    }
    LibraryFilter filter;
    if (sinceCheck_->isChecked()) {
        const QDate since = sinceEdit_->date();
        filter.since = CastTime{since.year(), since.month(), since.day(), 0, 0, 0};
    }
    LibraryResult<std::vector<LibraryCast>> listed = library->list(filter);
    if (!listed.ok()) {
        say(status_, listed.problem);
        table_->setSortingEnabled(true);
        return;
    }
    casts_ = std::move(*listed.value);
    table_->setRowCount(int(casts_.size()));
    for (size_t i = 0; i < casts_.size(); ++i) {
        const LibraryCast& cast = casts_[i];
        const CastRecord& r = cast.record;
        const int row = int(i);
        auto* time = new QTableWidgetItem(qs(castTimeText(r.localTime)));
        time->setData(kCastIndexRole, int(i));
        table_->setItem(row, kTime, time);
        auto* file = new QTableWidgetItem(qs(r.fileName));
        file->setToolTip(qs(r.filePath));
        table_->setItem(row, kFile, file);
        table_->setItem(row, kDevice, new NumberItem(deviceText(r.deviceId), double(r.deviceId)));
        table_->setItem(row, kPosition, new QTableWidgetItem(qs(positionText(r.position))));
        table_->setItem(row, kDepth, factItem(cast.facts, &CastFacts::maximumDepth));
        table_->setItem(row, kSurface, factItem(cast.facts, &CastFacts::surfaceSoundVelocity));
        table_->setItem(row, kMean, factItem(cast.facts, &CastFacts::harmonicMeanSoundVelocity));
        table_->setItem(row, kRecords,
                        new NumberItem(std::to_string(r.recordCount), double(r.recordCount)));
    }
    table_->setSortingEnabled(true);
    // Unticked, the date waits at the newest cast's day: the day a user most often starts from.
    if (!sinceCheck_->isChecked() && !casts_.empty()) {
        const CastTime& newest = casts_.back().record.localTime;
        sinceEdit_->setDate(QDate(newest.year, newest.month, newest.day));
    }
    // Wide enough for every column, never narrower than the user made it.
    const int wanted = table_->horizontalHeader()->length() + 2 * table_->frameWidth() +
                       table_->verticalScrollBar()->sizeHint().width() +
                       layout()->contentsMargins().left() + layout()->contentsMargins().right();
    if (wanted > width()) {
        resize(wanted, height());
    }
    say(status_, {strformat("共%zu个投放。", casts_.size()),
                  strformat(casts_.size() == 1 ? "%zu cast." : "%zu casts.", casts_.size())});
}

std::optional<LibraryCast> CastLibraryWindow::selectedCast() const {
    const QList<QTableWidgetItem*> selected = table_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const QTableWidgetItem* time = table_->item(selected.front()->row(), kTime);
    return casts_.at(size_t(time->data(kCastIndexRole).toInt()));
}

bool CastLibraryWindow::isShown(const LibraryCast& cast) const {
    return samePath(cast.record.filePath, main_.session().shownPath());
}

void CastLibraryWindow::showCast(int row) {
    const QTableWidgetItem* time = table_->item(row, kTime);
    if (!time) {
        return;
    }
    main_.showCastFile(casts_.at(size_t(time->data(kCastIndexRole).toInt())).record.filePath);
}

void CastLibraryWindow::compareWithPrevious() {
    verdict_->clear();
    const std::optional<double> draft = parseFieldNumber(draftEdit_->text().toStdString());
    if (!draft || *draft < 0.0) {
        say(verdict_, {"吃水：请输入换能器在水面下的米数（0或更大）。",
                       "Draft: enter the transducer's depth below the surface in metres, 0 or "
                       "more."});
        return;
    }
    std::optional<CastLibrary> library = openLibrary(verdict_);
    if (!library) {
        return;
    }
    // The whole library, whatever the filter hides: the previous cast may be older than the
    // date the table starts at.
    LibraryResult<std::vector<LibraryCast>> all = library->list();
    if (!all.ok()) {
        say(verdict_, all.problem);
        return;
    }
    std::optional<LibraryCast> subject = selectedCast();
    if (!subject) {
        for (const LibraryCast& cast : *all.value) {
            if (isShown(cast))
                subject = cast;
        }
    }
    if (!subject) {
        say(verdict_, {"请在表中选择一个投放，或在主窗口中显示一个记录库中的投放。",
                       "Choose a cast in the table, or show one of the library's casts in the "
                       "main window."});
        return;
    }
    // The previous cast is drawn over the chart of this one: the chart has to show it.
    if (!isShown(*subject) && !main_.showCastFile(subject->record.filePath)) {
        return;
    }
    LibraryResult<std::optional<LibraryCast>> previous = library->previousOf(*subject);
    if (!previous.ok()) {
        say(verdict_, previous.problem);
        return;
    }
    const std::string device = deviceText(subject->record.deviceId);
    if (!*previous.value) {
        say(verdict_,
            {strformat("记录库中没有设备%s更早的投放。", device.c_str()),
             strformat("The library holds no earlier cast of device %s.", device.c_str())});
        return;
    }
    const CastRecord& reference = (*previous.value)->record;
    ComparisonSettings settings;
    settings.draft = *draft;
    settings.order = kOrders[orderBox_->currentIndex()];
    const ProfileComparison comparison =
        compareProfiles(main_.session().data().fittedProfile, reference.profile, settings);
    std::string legend = english_ ? "Previous cast " : "上一次投放 ";
    legend += reference.fileName;
    main_.chart()->setReference({reference.profile, legend});
    const std::string name = reference.fileName, time = castTimeText(reference.localTime);
    Text text = comparisonVerdict(comparison);
    text.zh = strformat("与上一次投放%s（%s）相比：", name.c_str(), time.c_str()) + text.zh;
    text.en =
        strformat("Against the previous cast, %s (%s): ", name.c_str(), time.c_str()) + text.en;
    say(verdict_, text);
}

void CastLibraryWindow::checkProbe() {
    // A cast the main window shows is checked as shown there (its settings may have been
    // changed); another is checked as the library keeps it.
    std::vector<ProfilePoint> profile = main_.session().data().fittedProfile;
    if (const std::optional<LibraryCast> selected = selectedCast();
        selected && !isShown(*selected)) {
        std::optional<CastLibrary> library = openLibrary(verdict_);
        if (!library) {
            return;
        }
        LibraryResult<LibraryCast> shown = library->show(selected->id);
        if (!shown.ok()) {
            say(verdict_, shown.problem);
            return;
        }
        profile = std::move(shown.value->record.profile);
    }
    ProbeCheckDialog dialog(english_, std::move(profile), draftEdit_->text(), this);
    dialog.exec();
}

}  // namespace quorvane
