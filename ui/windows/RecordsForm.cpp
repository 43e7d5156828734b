// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordsForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "model/SpectrumSampling.h"
#include "model/Version.h"
#include "records/AccelerationUnit.h"
#include "records/CompatibilityCheck.h"
#include "records/RecordScaling.h"
#include "records/RecordWriter.h"
#include "records/ShapeBand.h"
#include "ui/files/BitmapFile.h"
#include "ui/files/FileWriter.h"
#include "ui/files/RecordFile.h"
#include "ui/files/RecordsCsvText.h"
#include "ui/files/RecordsReport.h"
#include "ui/platform/ErrorText.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/ScreenPlacement.h"
#include "ui/widgets/RecordChart.h"
#include "ui/widgets/RecordTable.h"
#include "ui/windows/FieldCheck.h"
#include "ui/windows/RecordChartGroup.h"
#include "ui/windows/RecordCheckGroup.h"
#include "ui/windows/RecordListGroup.h"
#include "ui/windows/RecordReportRow.h"
#include "ui/windows/RecordSettingsGroup.h"
#include "ui/windows/RecordStatusRow.h"
#include "ui/windows/ReportSettingsRows.h"
#include "ui/windows/WindowControls.h"

namespace {

constexpr int kWidth = 1240;
constexpr int kHeight = 780;
constexpr int kViewIntervalMs = 100;
constexpr int kNoticeRetryMs = 250;

}  // namespace

template <typename Sender, typename Signal>
void TRecordsForm::Bind(Sender* sender, Signal signal, void (TRecordsForm::*handler)()) {
  connect(sender, signal, this, [this, handler] { RunCommand([=, this] { (this->*handler)(); }); });
}

TRecordsForm::TRecordsForm(const SpectrumList& spectra, Desktop& desktop, QWidget* owner)
    : QWidget(owner, Qt::Window), spectra_(spectra), desktop_(desktop) {
  setWindowTitle(QStringLiteral("Ground Motion Records"));
  setFont(WindowFont(12));
  setAcceptDrops(true);
  resize(kWidth, kHeight);
  FitWindowToScreen(*this, owner);
  BuildParts();
  chtRecords->SetDecimalSeparator(DecimalSeparatorOf(desktop_));

  // Every handler runs as a command, so that no exception crosses the event loop.
  Bind(btnAdd, &QPushButton::clicked, &TRecordsForm::btnAddClick);
  Bind(btnRemove, &QPushButton::clicked, &TRecordsForm::btnRemoveClick);
  btnGenerate->setVisible(ArtificialJobs::Available());
  Bind(btnGenerate, &QPushButton::clicked, &TRecordsForm::btnGenerateClick);
  Bind(btnSelect, &QPushButton::clicked, &TRecordsForm::btnSelectClick);
  askSetSize = [this](int start) -> std::optional<int> {
    bool ok = false;
    const int count =
        QInputDialog::getInt(this, QStringLiteral("Select from Library"),
                             QStringLiteral("Records in the set"), start, 1, 100, 1, &ok);
    if (!ok) return std::nullopt;
    return count;
  };
  Bind(btnSaveRecord, &QPushButton::clicked, &TRecordsForm::btnSaveRecordClick);
  askArtificial = [this](const ArtificialRequest& start) {
    return ArtificialDialog::Ask(start, this);
  };
  Bind(cbbTarget, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbIntensity, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbAction, &QComboBox::activated, &TRecordsForm::cbbTargetChange);
  Bind(cbbDesign, &QComboBox::activated, &TRecordsForm::DesignPicked);
  Bind(btnCheck, &QPushButton::clicked, &TRecordsForm::btnCheckClick);
  Bind(btnSaveData, &QPushButton::clicked, &TRecordsForm::btnSaveDataClick);
  Bind(btnSavePicture, &QPushButton::clicked, &TRecordsForm::btnSavePictureClick);
  Bind(rowReport->btnSaveReport, &QPushButton::clicked, &TRecordsForm::btnSaveReportClick);
  // Any edit makes the shown check stale; Enter in a field checks anew.
  for (QLineEdit* field : {edtDamping, edtTargetPga, edtPeriods, edtTolerance, edtScaleBand}) {
    Bind(field, &QLineEdit::textChanged, &TRecordsForm::SettingsEdited);
    Bind(field, &QLineEdit::returnPressed, &TRecordsForm::btnCheckClick);
  }
  connect(edtDamping, &QLineEdit::textChanged, this, [this] {
    if (!ownWrite_) dampingFollows_ = false;
  });
  Bind(edtTargetPga, &QLineEdit::textChanged, &TRecordsForm::ShowDesign);
  connect(&reads_, &RecordReadJobs::finished, this, [this](const RecordReadResult& result) {
    RunCommand([this, &result] { OnFileRead(result); });
  });
  connect(&jobs_, &SpectrumJobs::finished, this, [this](const SpectrumJobResult& result) {
    RunCommand([this, &result] { OnJobFinished(result); });
  });
  Bind(&jobs_, &SpectrumJobs::progressed, &TRecordsForm::RefreshProgress);
  Bind(&artificial_, &ArtificialJobs::progressed, &TRecordsForm::RefreshProgress);
  Bind(&selection_, &SelectionJobs::progressed, &TRecordsForm::RefreshProgress);
  connect(&selection_, &SelectionJobs::finished, this, [this](const SelectionJobResult& result) {
    RunCommand([this, &result] { OnSelectionMade(result); });
  });
  connect(&artificial_, &ArtificialJobs::finished, this, [this](const ArtificialJobResult& result) {
    RunCommand([this, &result] { OnArtificialMade(result); });
  });
  // While files and spectra arrive, the list, the chart and the check are redrawn at most this
  // often.
  viewTimer_.setSingleShot(true);
  viewTimer_.setInterval(kViewIntervalMs);
  connect(&viewTimer_, &QTimer::timeout, this, [this] {
    RunCommand([this] {
      RefreshRows();
      RefreshViews();
    });
  });
  Bind(grdRecords, &RecordTable::deleteRequested, &TRecordsForm::btnRemoveClick);
  noticeTimer_.setSingleShot(true);
  noticeTimer_.setInterval(kNoticeRetryMs);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] { RunCommand([this] { ShowNotices(); }); });
  connect(grdRecords, &RecordTable::realChanged, this,
          [this](int id, bool real) { RunCommand([=, this] { OnRealChanged(id, real); }); });

  WriteFields([this] {
    settingsGroup_->ShowAcceptedNumbers(inputs_);
    settingsGroup_->ShowSeparatorTexts();
    settingsGroup_->ShowTargetValue();
  });
  SpectraChanged();
  // What the fields show now is the starting point, not an edit: the design spectrum picked at
  // the start gives the damping and the level until the first check.
  if (const DesignSpectrum* design = PickedDesign()) {
    inputs_.damping = design->damping;
    inputs_.intensity = cbbIntensity->currentIndex();
    inputs_.action = cbbAction->currentIndex();
  }
  stale_ = false;
  chartGroup_->ShowStale(false);
  Refresh();
}

TRecordsForm::~TRecordsForm() = default;

void TRecordsForm::BuildParts() {
  listGroup_ = new RecordListGroup(desktop_, this);
  settingsGroup_ = new RecordSettingsGroup(desktop_, this);
  chartGroup_ = new RecordChartGroup(this);
  checkGroup_ = new RecordCheckGroup(this);
  statusRow_ = new RecordStatusRow(this);
  rowReport = new RecordReportRow(this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(listGroup_, 0, 0);
  grid->addWidget(settingsGroup_, 0, 1);
  grid->addWidget(chartGroup_, 1, 0);
  grid->addWidget(checkGroup_, 1, 1);
  grid->addWidget(rowReport, 2, 0, 1, 2);
  grid->addWidget(statusRow_, 3, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(0, 2);
  grid->setRowStretch(1, 3);

  grpRecords = listGroup_;
  static_cast<RecordListControls&>(*this) = *listGroup_;
  grpSettings = settingsGroup_;
  static_cast<RecordSettingsControls&>(*this) = *settingsGroup_;
  grpChart = chartGroup_;
  chtRecords = chartGroup_->chtRecords;
  grpCheck = checkGroup_;
  grdCheck = checkGroup_->grdCheck;
  lblVerdict = checkGroup_->lblVerdict;
  pbCompute = statusRow_->pbCompute;
  lblStatus = statusRow_->lblStatus;
}

void TRecordsForm::RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    desktop_.Error(ErrorText(error));
  }
}

// ---- Records ----

void TRecordsForm::btnAddClick() {
  if (!listGroup_->ReadOptions()) return;
  QueueFiles(desktop_.OpenFileNames(
      {QStringLiteral("Ground motion records (*.AT2 *.at2 *.txt *.dat *.csv);;All files (*)"),
       QDir::homePath()}));
}

void TRecordsForm::QueueFiles(const QStringList& paths) { AddBatchOfFiles(paths, false); }

void TRecordsForm::AddFiles(const QStringList& paths) { AddBatchOfFiles(paths, true); }

void TRecordsForm::AddBatchOfFiles(const QStringList& paths, bool now) {
  if (paths.isEmpty()) return;
  const std::optional<RecordReadOptions> options = listGroup_->ReadOptions();
  if (!options) return;
  const int batch = nextBatch_++;
  AddBatch& added = batches_[batch];
  added.reasons.resize(static_cast<std::size_t>(paths.size()));
  std::vector<int> ids;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const QFileInfo info(paths[i]);
    const QString path = info.absoluteFilePath();
    if (records_.HasPath(path) || readingPaths_.contains(path)) {
      added.reasons[static_cast<std::size_t>(i)] =
          QStringLiteral("\"%1\" is already in the list.").arg(info.fileName());
      continue;
    }
    const int id = records_.ReserveId();
    reading_.emplace(id, ReadingFile{batch, static_cast<std::size_t>(i), path});
    readingPaths_.insert(path);
    listGroup_->AppendReading(id, info.fileName());
    ++added.reading;
    ids.push_back(id);
  }
  for (const int id : ids) {
    const QString& path = reading_.at(id).path;
    if (now) {
      OnFileRead({id, path, LoadRecordFile(path, *options)});
    } else {
      reads_.Start(id, path, *options);
    }
  }
  EndBatchIfDone(batch);
  RefreshProgress();
}

void TRecordsForm::OnFileRead(const RecordReadResult& result) {
  const auto found = reading_.find(result.id);
  if (found == reading_.end()) return;  // removed meanwhile
  const ReadingFile file = found->second;
  reading_.erase(found);
  readingPaths_.remove(file.path);
  QString failure;
  if (const GroundMotion* motion = std::get_if<GroundMotion>(&result.read)) {
    RecordEntry& entry = *records_.Find(records_.Add(*motion, file.path, result.id).id);
    entry.scaleFactor = ScaleFactor(*entry.motion, inputs_.TargetGal());
    // The user may have marked it while it was read.
    entry.real = grdRecords->IsReal(entry.id);
    StartJob(entry);
  } else {
    failure = std::get<QString>(result.read);
    grdRecords->RemoveRecord(result.id);
  }
  FileDone(file, failure);
  // The last file read fills in the list at once; before, the timer does.
  if (!Reading()) RefreshRows();
  RefreshProgress();
  ScheduleViews();
}

void TRecordsForm::FileDone(const ReadingFile& file, const QString& failure) {
  const auto batch = batches_.find(file.batch);
  if (batch == batches_.end()) return;
  batch->second.reasons.at(file.index) = failure;
  --batch->second.reading;
  EndBatchIfDone(file.batch);
}

void TRecordsForm::EndBatchIfDone(int batch) {
  const auto found = batches_.find(batch);
  if (found == batches_.end() || found->second.reading > 0) return;
  QStringList failures;
  for (QString& reason : found->second.reasons) {
    if (!reason.isEmpty()) failures << std::move(reason);
  }
  batches_.erase(found);
  if (!failures.isEmpty()) Notify(failures);
}

void TRecordsForm::Notify(const QStringList& failures) {
  notices_.push_back(failures);
  ShowNotices();
}

void TRecordsForm::ShowNotices() {
  // A box runs an event loop of its own, in which more files arrive; their message waits for
  // this one to close, and for any box or dialog of another command.
  if (noticing_ || notices_.empty()) return;
  if (QApplication::activeModalWidget() != nullptr) {
    if (!noticeTimer_.isActive()) noticeTimer_.start();
    return;
  }
  noticing_ = true;
  while (!notices_.empty()) {
    const QStringList failures = std::move(notices_.front());
    notices_.pop_front();
    if (failures.size() == 1) {
      desktop_.Warning(failures.front());
    } else {
      desktop_.WarningList(QStringLiteral("%1 files could not be added:").arg(failures.size()),
                           failures);
    }
  }
  noticing_ = false;
}

bool TRecordsForm::CancelReading(int id) {
  const auto found = reading_.find(id);
  if (found == reading_.end()) return false;
  const ReadingFile file = found->second;
  reads_.Cancel(id);
  grdRecords->RemoveRecord(id);
  reading_.erase(found);
  readingPaths_.remove(file.path);
  FileDone(file, QString());
  return true;
}

void TRecordsForm::CancelAllReading() {
  reads_.CancelAll();
  for (const auto& [id, file] : reading_) grdRecords->RemoveRecord(id);
  reading_.clear();
  readingPaths_.clear();
  // The user left the window: what the unfinished Adds found goes unsaid.
  batches_.clear();
}

void TRecordsForm::btnRemoveClick() {
  const std::vector<int> ids = grdRecords->SelectedIds();
  if (ids.empty()) return;
  for (const int id : ids) {
    if (CancelReading(id)) continue;
    // A result still on its way is dropped: its job is gone.
    jobs_.Cancel(id);
    grdRecords->RemoveRecord(id);
    records_.Remove(id);
  }
  Refresh();
}

void TRecordsForm::closeEvent(QCloseEvent* event) {
  CancelAllReading();
  Refresh();
  QWidget::closeEvent(event);
}

void TRecordsForm::StartJob(const RecordEntry& entry) {
  jobs_.Start(
      {entry.id, entry.motion, inputs_.damping, inputs_.periods, DecimalSeparatorOf(desktop_)});
}

void TRecordsForm::OnJobFinished(const SpectrumJobResult& result) {
  RecordEntry* entry = records_.Find(result.id);
  if (entry == nullptr) return;
  if (!result.error.empty()) {
    // No box: the list, the status and the verdict name the record and the reason.
    entry->failed = true;
    entry->failure = ErrorText(QString::fromStdString(result.error));
    Refresh();
    return;
  }
  entry->spectrum = result.spectrum;
  entry->check = result.check;
  ScheduleViews();
}

void TRecordsForm::ScheduleViews() {
  if (!Computing()) {
    viewTimer_.stop();
    RefreshRows();
    RefreshViews();
    RefreshProgress();
  } else if (!viewTimer_.isActive()) {
    viewTimer_.start();
  }
}

void TRecordsForm::OnRealChanged(int id, bool real) {
  if (RecordEntry* entry = records_.Find(id)) {
    entry->real = real;
    RefreshCheck();
  }
}

void TRecordsForm::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TRecordsForm::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  RunCommand([this, paths] { QueueFiles(paths); });
}

void TRecordsForm::btnGenerateClick() {
  if (artificial_.Busy()) {
    artificial_.Cancel();
    Refresh();
    return;
  }
  if (stale_ && !ApplySettings(false)) return;
  const std::optional<double> targetGal = inputs_.TargetGal();
  if (!design_ || !targetGal) {
    desktop_.Information(QStringLiteral(
        "Artificial records are fitted to the design spectrum and the target peak ground "
        "acceleration: pick both and run Check first."));
    return;
  }
  const std::optional<ArtificialRequest> request = askArtificial(lastRequest_);
  if (!request) return;
  lastRequest_ = *request;
  const DesignSpectrum& d = *design_;
  artificial_.Start(
      std::make_shared<const DesignSpectrum>(d.name, d.alphaMax, d.tg, d.damping, d.codeType),
      *request, *targetGal / 100 / kStandardGravity);
  Refresh();
}

void TRecordsForm::OnArtificialMade(const ArtificialJobResult& result) {
  for (const ArtificialRecordMade& made : result.made) {
    const int id = records_.ReserveId();
    const QString name = QString::fromStdString(made.motion.name);
    grdRecords->AppendRecord(id, {name}, false);
    RecordEntry& entry = *records_.Find(records_.Add(made.motion, name, id).id);
    entry.real = false;
    entry.title = made.header.title;
    entry.scaleFactor = ScaleFactor(*entry.motion, inputs_.TargetGal());
    StartJob(entry);
  }
  Refresh();
  if (result.missed.empty()) return;
  const std::string separator = DecimalSeparatorOf(desktop_);
  QStringList lines;
  for (const ArtificialMiss& miss : result.missed) {
    const QString name = QStringLiteral("artificial-%1").arg(miss.seed);
    lines << (miss.error.isEmpty()
                  ? QStringLiteral("%1: the fit missed the tolerance, worst at %2 s by %3 %.")
                        .arg(name, GeneralText(miss.worstPeriod, separator),
                             PatternText(NumberPattern::TwoDecimals, miss.worstDeviation * 100,
                                         separator))
                  : QStringLiteral("%1: %2").arg(name, miss.error));
  }
  desktop_.WarningList(QStringLiteral("%1 of %2 artificial records were not added:")
                           .arg(result.missed.size())
                           .arg(result.missed.size() + result.made.size()),
                       lines);
}

void TRecordsForm::btnSelectClick() {
  if (selection_.Busy()) {
    selection_.Cancel();
    Refresh();
    return;
  }
  if (stale_ && !ApplySettings(false)) return;
  if (!design_ || inputs_.periods.empty()) {
    desktop_.Information(
        QStringLiteral("A set is chosen for the design spectrum and the main periods: pick both "
                       "and run Check first."));
    return;
  }
  const std::optional<RecordReadOptions> options = listGroup_->ReadOptions();
  if (!options) return;
  const QStringList paths = desktop_.OpenFileNames(
      {QStringLiteral("Ground motion records (*.AT2 *.at2 *.txt *.dat *.csv);;All files (*)"),
       QDir::homePath()});
  if (paths.isEmpty()) return;
  const std::optional<int> count = askSetSize(lastSetSize_);
  if (!count) return;
  lastSetSize_ = *count;
  SelectionSettings settings;
  settings.check = inputs_.Settings();
  settings.count = static_cast<std::size_t>(*count);
  settings.bandPeriods = ShapeBandPeriods(DefaultShapeBand(inputs_.periods));
  const DesignSpectrum& d = *design_;
  selection_.Start(
      std::make_shared<const DesignSpectrum>(d.name, d.alphaMax, d.tg, d.damping, d.codeType),
      paths, *options, settings, inputs_.TargetGal());
  Refresh();
}

void TRecordsForm::OnSelectionMade(const SelectionJobResult& result) {
  Refresh();
  if (!result.selection) {
    desktop_.Warning(QStringLiteral("No set could be selected: ") + result.error);
    return;
  }
  const SelectionResult& selection = *result.selection;
  const std::string separator = DecimalSeparatorOf(desktop_);
  const auto percent = [&](double fraction) {
    return PatternText(NumberPattern::TwoDecimals, fraction * 100, separator) +
           QStringLiteral(" %");
  };
  QStringList lines;
  for (std::size_t k = 0; k < selection.sets.size(); ++k) {
    const SelectedSet& set = selection.sets[k];
    QStringList names;
    for (const std::size_t i : set.members) {
      names << QFileInfo(result.paths[static_cast<qsizetype>(i)]).fileName();
    }
    lines << (k == 0 ? QStringLiteral("Best set") : QStringLiteral("Alternative %1").arg(k)) +
                 QStringLiteral(" (%1): shape band RMS %2, worst main-period deviation %3")
                     .arg(set.passes ? QStringLiteral("passes") : QStringLiteral("fails"),
                          percent(set.bandRms), percent(set.worstMainDeviation));
    lines << QStringLiteral("  ") + names.join(QStringLiteral(", "));
  }
  if (selection.shortCount + selection.scaleCount > 0) {
    lines << QStringLiteral(
                 "Left out: %1 for a short effective duration, %2 for a scale factor "
                 "outside the band.")
                 .arg(selection.shortCount)
                 .arg(selection.scaleCount);
  }
  if (!selection.proven) lines << QStringLiteral("The search stopped before comparing every set.");
  lines << QStringLiteral("The best set is added to the records.");
  desktop_.Information(lines.join(QLatin1Char('\n')));
  QStringList best;
  for (const std::size_t i : selection.sets.front().members) {
    best << result.paths[static_cast<qsizetype>(i)];
  }
  QueueFiles(best);
}

void TRecordsForm::btnSaveRecordClick() {
  const std::vector<int> ids = grdRecords->SelectedIds();
  const RecordEntry* entry = ids.size() == 1 ? records_.Find(ids.front()) : nullptr;
  if (entry == nullptr) {
    desktop_.Information(QStringLiteral("Select one record that has been read, then save it."));
    return;
  }
  const QString at2 = QStringLiteral("PEER AT2 (*.AT2)");
  const QString twoColumns = QStringLiteral("Time and acceleration (*.txt)");
  const QString oneColumn = QStringLiteral("Acceleration only (*.txt)");
  const QFileInfo source(entry->path);
  const std::optional<SaveChoice> choice = desktop_.SaveFileAndFilter(
      {at2 + QStringLiteral(";;") + twoColumns + QStringLiteral(";;") + oneColumn, QString(),
       source.completeBaseName(), QDir::homePath(), true});
  if (!choice) return;
  const RecordFormat format = choice->filter == twoColumns  ? RecordFormat::TimeAcceleration
                              : choice->filter == oneColumn ? RecordFormat::Acceleration
                                                            : RecordFormat::PeerAt2;
  const GroundMotion& motion = *entry->motion;
  const RecordHeader header{entry->title.empty() ? motion.name : entry->title, motion.description};
  WriteWholeFile(choice->path, QByteArray::fromStdString(WriteRecord(motion, format, header)));
}

// ---- Settings ----

void TRecordsForm::cbbTargetChange() {
  settingsGroup_->ShowTargetValue();
  ShowDesign();
  SettingsEdited();
}

void TRecordsForm::SettingsEdited() {
  if (ownWrite_ || stale_) return;
  stale_ = true;
  RefreshCheck();
  chartGroup_->ShowStale(true);
}

void TRecordsForm::WriteFields(const std::function<void()>& write) {
  ownWrite_ = true;
  try {
    write();
  } catch (...) {
    ownWrite_ = false;
    throw;
  }
  ownWrite_ = false;
}

const DesignSpectrum* TRecordsForm::PickedDesign() const {
  const std::size_t found = spectra_.Find(cbbDesign->currentText().toStdString());
  return cbbDesign->currentIndex() >= 0 && found < spectra_.Size() ? &spectra_.At(found) : nullptr;
}

void TRecordsForm::DesignPicked() {
  const QString name = cbbDesign->currentText();
  if (name != pickedDesign_) {
    pickedDesign_ = name;
    if (const DesignSpectrum* design = PickedDesign()) {
      if (dampingFollows_) SetDampingText(design->damping);
      settingsGroup_->PickLevelOf(*design);
      SettingsEdited();
    }
  }
  ShowDesign();
}

void TRecordsForm::ShowDesign() { settingsGroup_->ShowDesign(PickedDesign()); }

void TRecordsForm::SetDampingText(double damping) {
  // A change of the field is a change of the settings, but not the user's own damping.
  const bool follows = dampingFollows_;
  edtDamping->setText(GeneralText(damping, DecimalSeparatorOf(desktop_)));
  dampingFollows_ = follows;
}

void TRecordsForm::SpectraChanged() {
  settingsGroup_->ListDesignSpectra(spectra_);
  DesignPicked();
  if (inputs_.design.empty()) return;
  const std::size_t found = spectra_.Find(inputs_.design);
  if (found == spectra_.Size()) {
    design_.reset();
  } else {
    const DesignSpectrum& s = spectra_.At(found);
    design_ = std::make_unique<DesignSpectrum>(s.name, s.alphaMax, s.tg, s.damping, s.codeType);
  }
  Refresh();
}

std::int32_t TRecordsForm::ReadInputs(RecordInputs& accepted, bool checkNeeded) {
  accepted = inputs_;
  if (settingsGroup_->ReadInputs(accepted, checkNeeded) < 0) return -1;
  if (checkNeeded && records_.Empty()) {
    FieldCheck(desktop_).Refuse(
        QStringLiteral("No record to check: add ground motion records first."), btnAdd);
    return -1;
  }
  return 0;
}

void TRecordsForm::btnCheckClick() { ApplySettings(true); }

bool TRecordsForm::ApplySettings(bool checkNeeded) {
  RecordInputs accepted;
  if (ReadInputs(accepted, checkNeeded) < 0) return false;
  const std::size_t found = spectra_.Find(accepted.design);
  // The list is kept in step with the spectra.
  if (!accepted.design.empty() && found == spectra_.Size()) return false;
  const bool recompute = accepted.damping != inputs_.damping || accepted.periods != inputs_.periods;
  inputs_ = std::move(accepted);
  stale_ = false;
  chartGroup_->ShowStale(false);
  if (found < spectra_.Size()) {
    const DesignSpectrum& s = spectra_.At(found);
    design_ = std::make_unique<DesignSpectrum>(s.name, s.alphaMax, s.tg, s.damping, s.codeType);
  } else {
    design_.reset();
  }
  records_.Rescale(inputs_.TargetGal());
  if (recompute) {
    records_.ForgetComputed();
    for (const RecordEntry& entry : records_.Entries()) StartJob(entry);
  }
  Refresh();
  return true;
}

// ---- Files ----

bool TRecordsForm::ReadyToSave() {
  if (stale_ && !ApplySettings(false)) return false;
  if (Computing()) {
    desktop_.Information(
        QStringLiteral("The spectra are still being computed; save them when they are ready."));
    return false;
  }
  return true;
}

void TRecordsForm::btnSaveDataClick() {
  if (records_.Empty() && !Reading()) {
    desktop_.Information(QStringLiteral("No ground motion record has been added."));
    return;
  }
  if (!ReadyToSave()) return;
  if (const RecordEntry* failed = records_.FirstFailed()) {
    desktop_.Warning(QStringLiteral("The spectra of \"%1\" could not be computed: %2 Remove the "
                                    "record, then save.")
                         .arg(QString::fromStdString(failed->motion->name), failed->failure));
    return;
  }
  const std::optional<QString> path =
      desktop_.SaveFileName({QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"),
                             QStringLiteral("Records"), QDir::homePath(), true});
  if (!path) return;

  RecordsCsvContent content;
  content.damping = inputs_.damping;
  content.targetGal = inputs_.TargetGal();
  content.tolerance = inputs_.tolerance;
  content.periods = DefaultPeriods();
  content.records = records_.CsvRecords();
  content.mean = records_.MeanPsa();
  if (design_) {
    content.design = design_.get();
    content.designSa = DesignSa();
  }
  if (check_) content.check = &*check_;
  WriteWholeFile(
      *path, QByteArray::fromStdString(BuildRecordsCsvText(content, DecimalSeparatorOf(desktop_))));
  desktop_.Information(QStringLiteral("Export Completed"));
}

void TRecordsForm::btnSavePictureClick() {
  if (!records_.Empty() && !ReadyToSave()) return;
  const std::optional<QString> path =
      desktop_.SaveFileName({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("bmp"),
                             QStringLiteral("Records"), QDir::homePath(), false});
  if (!path) return;
  WriteBitmapFile(*path, chtRecords->RenderImage());
}

void TRecordsForm::btnSaveReportClick() {
  rowReport->SaveNames();
  if (!ApplySettings(true)) return;
  if (Computing()) {
    desktop_.Information(QStringLiteral(
        "The spectra are still being computed; save the report when they are ready."));
    return;
  }
  if (!check_ || !design_) {
    desktop_.Information(QStringLiteral("No report without a check: ") + lblVerdict->text());
    return;
  }
  const std::optional<QString> path = desktop_.SaveFileName(
      {QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"), QStringLiteral("Records report"),
       QCoreApplication::applicationDirPath(), true});
  if (!path) return;
  RecordsReportContent content;
  content.project = rowReport->edtProject->text();
  content.engineer = rowReport->edtEngineer->text();
  content.date = QDate::currentDate().toString(Qt::ISODate);
  content.program = QStringLiteral("Tremvale ") + QString::fromLatin1(tremvale::kVersion);
  content.settings = ReportSettingsRows(*design_, inputs_, DecimalSeparatorOf(desktop_));
  for (const RecordEntry& entry : records_.Entries()) {
    content.descriptions.push_back(entry.motion->description);
  }
  content.plot = chtRecords->Content();
  content.check = *check_;
  WriteWholeFile(*path, BuildRecordsReportPdf(content));
  desktop_.Information(QStringLiteral("Report saved."));
}

void TRecordsForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::LocaleChange) return;
  // Texts in the old separator would no longer read; the accepted values are written anew.
  WriteFields([this] {
    settingsGroup_->ShowAcceptedNumbers(inputs_);
    settingsGroup_->ShowSeparatorTexts();
    settingsGroup_->ShowTargetValue();
  });
  ShowDesign();
  chtRecords->SetDecimalSeparator(DecimalSeparatorOf(desktop_));
  Refresh();
}

// ---- Views ----

std::vector<double> TRecordsForm::DesignSa() const {
  return design_ ? SampleSpectrum(*design_, FinePeriodCount(), FinePeriod) : std::vector<double>{};
}

void TRecordsForm::Refresh() {
  RefreshRows();
  RefreshViews();
  RefreshProgress();
}

void TRecordsForm::RefreshViews() {
  RefreshChart();
  RefreshCheck();
}

void TRecordsForm::RefreshRows() {
  listGroup_->ShowRows(records_, MinimumEffectiveDuration(inputs_.periods));
}

void TRecordsForm::RefreshChart() {
  chartGroup_->Show(design_.get(), DesignSa(), inputs_.tolerance, DecimalSeparatorOf(desktop_),
                    records_, inputs_.periods);
}

void TRecordsForm::RefreshCheck() {
  check_.reset();
  check_ =
      checkGroup_->Show(inputs_, design_.get(), records_, stale_, DecimalSeparatorOf(desktop_));
}

void TRecordsForm::RefreshProgress() {
  statusRow_->Show(records_, reading_.size(), jobs_);
  btnGenerate->setText(artificial_.Busy() ? QStringLiteral("Cancel Generating")
                                          : QStringLiteral("Generate Artificial..."));
  btnSelect->setText(selection_.Busy() ? QStringLiteral("Cancel Selecting")
                                       : QStringLiteral("Select from Library..."));
  if (selection_.Busy()) {
    pbCompute->setValue(
        static_cast<int>(std::lround(selection_.Progress() * pbCompute->maximum())));
    lblStatus->setText(QStringLiteral("Selecting a set from the library..."));
    return;
  }
  if (!artificial_.Busy()) return;
  // Making records takes longer than their spectra: the bar follows the generation.
  pbCompute->setValue(static_cast<int>(std::lround(artificial_.Progress() * pbCompute->maximum())));
  lblStatus->setText(
      QStringLiteral("Generating %1 artificial record(s)... ").arg(artificial_.Count()) +
      lblStatus->text());
}
